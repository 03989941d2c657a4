# quarn getname, getcsz and getstate.
quarn_cli_test(getname ARGS getname "JOHN/A/SMITH/JR"
  EXPECT "part 1 +\\[JOHN/\\]\npart 2 +\\[A/\\]\npart 3 +\\[SMITH/\\]\npart 4 +\\[JR/\\]\nsort name +\\[SMITH JR, JOHN A/\\]\nreturn code  00")
quarn_cli_test(getname_too_many ARGS getname "A/B/C/D/E" EXIT 1
  EXPECT "sort name +\\[C D E, A B/d Name Format\\*\\*\\*\\*\\*/\\]\nreturn code  70.*more than four pieces")
quarn_cli_test(getname_too_long ARGS getname "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789ABCDE" EXIT 2
  EXPECT "a name has 41 characters. at most 40 fit")
quarn_cli_test(getname_help ARGS getname --help EXPECT "usage: quarn getname NAME")

quarn_cli_test(getcsz ARGS getcsz "BIRMINGHAM/AL/35203"
  EXPECT "city +\\[BIRMINGHAM/\\]\nstate +\\[AL/\\]\npostal code +\\[35203/\\]\nstate code +\\[AL/\\]\nstate number +\\[001\\]\nstate name +\\[Alabama/\\]\ncountry +\\[US\\]\nreturn code  00")
quarn_cli_test(getcsz_postal_mismatch ARGS getcsz "BIRMINGHAM/AL/3520" --country US EXIT 1
  EXPECT "return code  73.*does not fit")
quarn_cli_test(getcsz_not_two_slashes ARGS getcsz "BIRMINGHAM/AL" EXIT 1
  EXPECT "return code  70 \\(the line does not hold exactly two")
quarn_cli_test(getcsz_no_country_value ARGS getcsz "A/B/C" --country EXIT 2
  EXPECT "--country needs a value")
quarn_cli_test(getcsz_help ARGS getcsz --help EXPECT "usage: quarn getcsz LINE")

quarn_cli_test(getstate_code ARGS getstate --code al
  EXPECT "state code +\\[AL/\\]\nstate number +\\[001\\]\nstate name +\\[Alabama/\\]\ncountry +\\[US\\]")
quarn_cli_test(getstate_number ARGS getstate --number 6
  EXPECT "state code +\\[CA/\\]\nstate number +\\[006\\]\nstate name +\\[California/\\]")
quarn_cli_test(getstate_postal ARGS getstate --code AB --country CA --postal "t2p 1j9/"
  EXPECT "postal code +\\[T2P 1J9/\\]\nreturn code  00")
quarn_cli_test(getstate_bad_number ARGS getstate --number abc EXIT 1 EXPECT "return code  72")
quarn_cli_test(getstate_neither ARGS getstate --country US EXIT 2
  EXPECT "expects --code or --number")
quarn_cli_test(getstate_help ARGS getstate --help EXPECT "usage: quarn getstate --code")
