# quarn amtname, mixcase, numedit, compress, andedit, wordtohex and xkeycode.
quarn_cli_test(amtname ARGS amtname 1234.56 --cents --text Dollars
  EXPECT "^\\*\\*One Thousand Two Hundred Thirty-Four & 56/100 Dollars\n$")
quarn_cli_test(amtname_numerals ARGS amtname 12345678
  EXPECT "^\\*\\*12 Million 345 Thousand Six Hundred Seventy-Eight\n$")
quarn_cli_test(amtname_negative ARGS amtname -1234.5 --cents EXPECT "^\\*\\*Zero & 00/100\n$")
quarn_cli_test(amtname_help ARGS amtname --help EXPECT "usage: quarn amtname AMOUNT")
quarn_cli_test(amtname_bad_amount ARGS amtname 1.234 EXIT 2 EXPECT "'1.234' is not an amount")
quarn_cli_test(amtname_too_many_digits ARGS amtname 1234567890123 EXIT 2
  EXPECT "is not an amount")
quarn_cli_test(amtname_long_text ARGS amtname 1 --text Dollars-and-more EXIT 2
  EXPECT "--text: the text has 16 characters. at most 10 fit")
quarn_cli_test(amtname_text_without_value ARGS amtname 1 --text EXIT 2
  EXPECT "--text needs a value")
quarn_cli_test(amtname_unknown_option ARGS amtname 1 --words EXIT 2
  EXPECT "unknown option '--words'")

quarn_cli_test(mixcase ARGS mixcase "PO BOX 12 NE MAIN ST" EXPECT "^Po Box 12 NE Main St\n$")
quarn_cli_test(mixcase_address ARGS mixcase --address "PO BOX 12 NE MAIN ST"
  EXPECT "^PO Box 12 NE Main St\n$")
quarn_cli_test(mixcase_names ARGS mixcase --names "JOHN SMITH PHD" EXPECT "^John Smith PhD\n$")
quarn_cli_test(mixcase_sentence ARGS mixcase --sentence "UPS STORE. OPEN NOW"
  EXPECT "^UPS store. Open now\n$")
quarn_cli_test(mixcase_both_sets ARGS mixcase --address --names X EXIT 2
  EXPECT "exclude each other")
string(REPEAT "X" 101 long_text)
quarn_cli_test(mixcase_too_long ARGS mixcase ${long_text} EXIT 2
  EXPECT "the text has 101 characters. at most 100 fit")
quarn_cli_test(mixcase_no_text ARGS mixcase --sentence EXIT 2
  EXPECT "expects one text \\(0 operand\\(s\\) given\\)")

quarn_cli_test(numedit ARGS numedit "$1,234.56-" EXPECT "^-1234.56000\n$")
quarn_cli_test(numedit_plain ARGS numedit ".5" EXPECT "^0.50000\n$")
quarn_cli_test(numedit_too_long ARGS numedit 1234567890123456789012345 EXIT 2
  EXPECT "at most 24 fit")

quarn_cli_test(compress ARGS compress "  A  ,  B  ." EXPECT "^A , B .\n$")
quarn_cli_test(compress_too_long ARGS compress ${long_text} EXIT 2 EXPECT "at most 100 fit")

quarn_cli_test(andedit ARGS andedit "R&D & CO" EXPECT "^R&&D && CO\n$")
quarn_cli_test(andedit_help ARGS andedit --help EXPECT "usage: quarn andedit TEXT")
quarn_cli_test(andedit_no_text ARGS andedit EXIT 2 EXPECT "expects one text")

quarn_cli_test(wordtohex ARGS wordtohex 4660 EXPECT "^1234\n$")
quarn_cli_test(wordtohex_swap ARGS wordtohex 0x1234 --swap EXPECT "^3412\n$")
quarn_cli_test(wordtohex_negative ARGS wordtohex -32768 EXPECT "^8000\n$")
quarn_cli_test(wordtohex_hex_bits ARGS wordtohex 0xFFFF EXPECT "^0001\n$")
quarn_cli_test(wordtohex_out_of_range ARGS wordtohex 32768 EXIT 2 EXPECT "not a 16-bit word")
quarn_cli_test(wordtohex_not_a_number ARGS wordtohex 12ab EXIT 2 EXPECT "not a 16-bit word")

quarn_cli_test(xkeycode ARGS xkeycode 0x41 EXPECT "^character 'A' index 18\n$")
quarn_cli_test(xkeycode_shift ARGS xkeycode 48 --shift EXPECT "^character '\\)' index 01\n$")
quarn_cli_test(xkeycode_none ARGS xkeycode 13 EXPECT "^no character \\(index 00\\)\n$")
quarn_cli_test(xkeycode_bad ARGS xkeycode 0x10000 EXIT 2 EXPECT "not a key code")
