# start-exe, checkpath, cwd, version-string, check-registration, toweb, help.
set(system_data ${PROJECT_SOURCE_DIR}/tests/data)

quarn_cli_test(start_exe_wait ARGS start-exe --wait "sh -c \"exit 4\"" EXIT 1
  EXPECT "started\nexit code: 4\n")
quarn_cli_test(start_exe_no_shell ARGS start-exe --wait "echo a&&b $(id) >x|y \"c  d\""
  EXPECT "^a&&b \\$\\(id\\) >x\\|y c  d\nstarted\n")
quarn_cli_test(start_exe_missing ARGS start-exe no-such-program-here EXIT 3
  EXPECT "could not start 'no-such-program-here'")
quarn_cli_test(start_exe_usage ARGS start-exe EXIT 2 EXPECT "expects one command line")
quarn_cli_test(start_exe_help ARGS start-exe --help EXPECT "usage: quarn start-exe")

quarn_cli_test(checkpath_ok ARGS checkpath ${CMAKE_CURRENT_BINARY_DIR}/ EXPECT "^00 ")
quarn_cli_test(checkpath_no_separator ARGS checkpath DATA EXIT 1 EXPECT "^79 ")
quarn_cli_test(checkpath_usage ARGS checkpath EXIT 2 EXPECT "expects one path")

quarn_cli_test(cwd ARGS cwd EXPECT "^/[^\n]*\n$")
quarn_cli_test(cwd_usage ARGS cwd extra EXIT 2 EXPECT "takes no operands, but 'extra' was given")

quarn_cli_test(version_string ARGS version-string ${system_data}/version/plain.dll ProductVersion
  EXPECT "^2\\.1\\.0\\.7\n$")
quarn_cli_test(version_string_missing ARGS version-string ${system_data}/version/plain.dll Nope
  EXIT 1 EXPECT "plain.dll' has no version string 'Nope'")
quarn_cli_test(version_string_no_file ARGS version-string /no/such/file.dll ProductVersion
  EXIT 3 EXPECT "cannot open '/no/such/file.dll': No such file or directory")
quarn_cli_test(version_string_usage ARGS version-string one EXIT 2 EXPECT "expects FILE and NAME")

quarn_cli_test(check_registration_all ARGS check-registration --home ${system_data}/registry
  EXPECT "all components are registered")
quarn_cli_test(check_registration_missing ARGS check-registration --home ${system_data}/web
  EXIT 1 EXPECT "not registered: _QUARN\\.DNMonths\\.1 \\(error 2\\)")

quarn_cli_test(toweb ARGS toweb ${system_data}/web/ 1 EXPECT "started")
quarn_cli_test(toweb_no_script ARGS toweb ${system_data}/registry/ 1 EXIT 3
  EXPECT "nothing to run: '[^']*registry/' holds no web script")
quarn_cli_test(toweb_no_folder ARGS toweb ${system_data}/no-such/ 1 EXIT 3
  EXPECT "the folder '[^']*no-such/' does not exist")
quarn_cli_test(toweb_usage ARGS toweb folder 12 EXIT 2 EXPECT "ARG is one character")
quarn_cli_test(open_help_usage ARGS open-help EXIT 2 EXPECT "expects FILE \\[PAGE\\] \\[TOPIC\\]")
quarn_cli_test(open_help_help ARGS open-help --help EXPECT "Unable to open helps, contact support")
quarn_cli_test(open_help_no_home ARGS open-help --home ${CMAKE_CURRENT_BINARY_DIR}/no/such guide.chm
  EXIT 3 EXPECT "the home folder '[^']*/no/such' does not exist")
