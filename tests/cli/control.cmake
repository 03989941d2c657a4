# quarn ctl: the settings of a control file, in a home folder of the build tree that a
# setup test empties first. The cases run in the order given.
set(ctl_home ${CMAKE_CURRENT_BINARY_DIR}/ctl_home)
add_test(NAME cli.ctl_setup COMMAND sh -c "rm -rf \"$0\" && mkdir -p \"$0\"" ${ctl_home})
set_tests_properties(cli.ctl_setup PROPERTIES FIXTURES_SETUP ctl_home)

set(ctl_cases "")
macro(ctl_case name)
  quarn_cli_test(${name} ${ARGN})
  set_tests_properties(cli.${name} PROPERTIES FIXTURES_REQUIRED ctl_home
                       DEPENDS "${ctl_cases}")
  list(APPEND ctl_cases cli.${name})
endmacro()

ctl_case(ctl_set_creates ARGS ctl set --home ${ctl_home} --user AB COLOURS blue
  EXPECT "NEW QUARN Control File has been created")
ctl_case(ctl_set_station ARGS ctl set --home ${ctl_home} --user AB --station 7 PLACE "left side"
  EXPECT "^$")
ctl_case(ctl_get ARGS ctl get --home ${ctl_home} --user AB COLOURS EXPECT "^blue\n$")
ctl_case(ctl_get_station_scope ARGS ctl get --home ${ctl_home} --user AB --station 8 PLACE
  EXIT 1 EXPECT "no setting 'PLACE'")
ctl_case(ctl_list ARGS ctl list --home ${ctl_home} --user AB
  EXPECT "^user  COLOURS +blue\n#007  PLACE +left side\n$")
ctl_case(ctl_list_station ARGS ctl list --home ${ctl_home} --user AB --station 8
  EXPECT "^user  COLOURS +blue\n$")
ctl_case(ctl_list_other_user ARGS ctl list --home ${ctl_home} --user CD EXPECT "^$")
ctl_case(ctl_delete ARGS ctl delete --home ${ctl_home} --user AB COLOURS EXPECT "^$")
ctl_case(ctl_delete_missing ARGS ctl delete --home ${ctl_home} --user AB COLOURS
  EXIT 1 EXPECT "no setting 'COLOURS'")
ctl_case(ctl_get_deleted ARGS ctl get --home ${ctl_home} --user AB COLOURS
  EXIT 1 EXPECT "no setting 'COLOURS'")

quarn_cli_test(ctl_help ARGS ctl --help EXPECT "usage: quarn ctl list")
quarn_cli_test(ctl_missing_folder ARGS ctl get --home ${CMAKE_CURRENT_BINARY_DIR}/no/such
  --user AB X EXIT 1 EXPECT "status 91: 35>91 - OPEN: File Does Not Exist!")
quarn_cli_test(ctl_no_user ARGS ctl list --home /tmp EXIT 2 EXPECT "--user is required")
quarn_cli_test(ctl_bad_station ARGS ctl list --home /tmp --user AB --station 12a EXIT 2
  EXPECT "1 to 3 digits")
quarn_cli_test(ctl_bad_action ARGS ctl frob EXIT 2 EXPECT "unknown action 'frob'")
