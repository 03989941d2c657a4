# quarn datechk, datedit, getday, getdate.
quarn_cli_test(datechk ARGS datechk 02/29/1900 EXIT 1 EXPECT "^result:   99 \\(invalid\\)\nswitches: NNN\n$")
quarn_cli_test(datechk_switches ARGS datechk 0/1/2020 --switches YNN
  EXPECT "result:   00 \\(valid\\)\nswitches: NNN")
quarn_cli_test(datechk_bad_date ARGS datechk 2/29 EXIT 2 EXPECT "'2/29' is not MM/DD/YYYY")
quarn_cli_test(datechk_help ARGS datechk --help EXPECT "usage: quarn datechk MM/DD/YYYY")

quarn_cli_test(datedit ARGS datedit 2-3-04
  EXPECT "text:       \\[ 2/03/2004\\]\nresult:     00 \\(valid\\)\nlast day:   N\npivot:      50\nmonth-year: N\ncheck:      month 2, day 3, year 2004, result 00, switches NNN")
quarn_cli_test(datedit_pivot ARGS datedit 12/31/49 --pivot 30 EXPECT "text:       \\[12/31/1949\\]")
quarn_cli_test(datedit_month_year ARGS datedit 12/99 --month-year
  EXPECT "text:       \\[12/00/1999\\]\nresult:     00")
quarn_cli_test(datedit_last_day ARGS datedit 2/99/2020 EXPECT "\\[ 2/29/2020\\].*last day:   Y")
quarn_cli_test(datedit_no_date ARGS datedit 1/2 EXIT 1 EXPECT "result:     04 \\(no date in the text\\)")
quarn_cli_test(datedit_too_long ARGS datedit 01/02/20201 EXIT 2
  EXPECT "a typed date has 11 characters. at most 10 fit")
quarn_cli_test(datedit_help ARGS datedit --help EXPECT "usage: quarn datedit TEXT")

quarn_cli_test(getday ARGS getday 01/01/2020
  EXPECT "^day number:   080355\nweekday:      04 \\(Wednesday\\)\ncheck result: 00\n")
quarn_cli_test(getday_zero_switches ARGS getday 00/00/2020 --zero-month --zero-day
  EXPECT "day number:   080355")
quarn_cli_test(getday_check_result ARGS getday 01/01/2020 --check-result 99 EXIT 1
  EXPECT "day number:   000000\nweekday:      00 \\(nothing computed\\)\ncheck result: 99")
quarn_cli_test(getday_help ARGS getday --help EXPECT "usage: quarn getday MM/DD/YYYY")

quarn_cli_test(getdate ARGS getdate 80355 EXPECT "^date:   01/01/2020 \\(MM/DD/YYYY\\)\nresult: 00 \\(valid\\)\n$")
quarn_cli_test(getdate_out_of_range ARGS getdate 109575 EXIT 1
  EXPECT "date:   01/01/2100 \\(MM/DD/YYYY\\)\nresult: 99 \\(out of range\\)")
quarn_cli_test(getdate_not_a_number ARGS getdate 12x EXIT 2 EXPECT "'12x' is not a number")
quarn_cli_test(getdate_help ARGS getdate --help EXPECT "usage: quarn getdate NUMBER")
