# quarn ctl: the settings of a control file, in a home folder of the build tree that a
# setup test empties first. The cases run in the order given, on both backends.
macro(quarn_cli_ctl_cases)
set(ctl_home ${CMAKE_CURRENT_BINARY_DIR}/ctl_home${QUARN_CLI_SUFFIX})
quarn_cli_home(ctl_home ${ctl_home})

quarn_cli_step(ctl_home ctl_set_creates ARGS ctl set --home ${ctl_home} --user AB COLOURS blue
  EXPECT "^quarn ctl: made a new control file QUARN.CTL in '[^']*ctl_home(_pg)?':\n05>00 - OPEN: NEW QUARN Control File has been created! *\n$")
quarn_cli_step(ctl_home ctl_set_station ARGS ctl set --home ${ctl_home} --user AB --station 7 PLACE "left side"
  EXPECT "^$")
quarn_cli_step(ctl_home ctl_get ARGS ctl get --home ${ctl_home} --user AB COLOURS EXPECT "^blue\n$")
quarn_cli_step(ctl_home ctl_get_station_scope ARGS ctl get --home ${ctl_home} --user AB --station 8 PLACE
  EXIT 1 EXPECT "no setting 'PLACE'")
quarn_cli_step(ctl_home ctl_list ARGS ctl list --home ${ctl_home} --user AB
  EXPECT "^user  COLOURS +blue\n#007  PLACE +left side\n$")
quarn_cli_step(ctl_home ctl_list_station ARGS ctl list --home ${ctl_home} --user AB --station 8
  EXPECT "^user  COLOURS +blue\n$")
quarn_cli_step(ctl_home ctl_list_other_user ARGS ctl list --home ${ctl_home} --user CD EXPECT "^$")
quarn_cli_step(ctl_home ctl_delete ARGS ctl delete --home ${ctl_home} --user AB COLOURS EXPECT "^$")
quarn_cli_step(ctl_home ctl_delete_missing ARGS ctl delete --home ${ctl_home} --user AB COLOURS
  EXIT 1 EXPECT "no setting 'COLOURS'")
quarn_cli_step(ctl_home ctl_get_deleted ARGS ctl get --home ${ctl_home} --user AB COLOURS
  EXIT 1 EXPECT "no setting 'COLOURS'")
endmacro()
quarn_cli_on_both_backends(quarn_cli_ctl_cases)

quarn_cli_test(ctl_help ARGS ctl --help EXPECT "usage: quarn ctl list")
quarn_cli_test(ctl_missing_folder ARGS ctl get --home ${CMAKE_CURRENT_BINARY_DIR}/no/such
  --user AB X EXIT 3
  EXPECT "cannot open the control file QUARN.CTL in '[^']*/no/such'. check that the folder exists and is writable:\n35>91 - OPEN: File Does Not Exist!")
quarn_cli_test(ctl_no_user ARGS ctl list --home /tmp EXIT 2 EXPECT "--user is required")
quarn_cli_test(ctl_bad_station ARGS ctl list --home /tmp --user AB --station 12a EXIT 2
  EXPECT "1 to 3 digits")
quarn_cli_test(ctl_bad_action ARGS ctl frob EXIT 2 EXPECT "unknown action 'frob'")
