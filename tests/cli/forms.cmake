# form browse and form orgedit, headless with the scripts of tests/data/forms, in a home
# folder of their own (the scripts name its files relative to the tests' folder).
set(forms_scripts ${PROJECT_SOURCE_DIR}/tests/data/forms)
quarn_cli_home(forms forms-home CO1)
quarn_cli_step(forms form_browse_chosen ARGS form browse --home forms-home --title "ORGID Browse"
  --filter "ORGID Files|ORGFILE" --folder forms-home/CO1/ --headless ${forms_scripts}/browse-choose.script
  EXPECT "^0001 forms-home/CO1/ORGFILE\n$")
quarn_cli_step(forms form_browse_cancelled ARGS form browse --home forms-home
  --headless ${forms_scripts}/browse-cancel.script EXIT 1 EXPECT "^0000\n$")
quarn_cli_step(forms form_orgedit_new ARGS form orgedit --home forms-home --folder forms-home/CO1/
  --headless ${forms_scripts}/orgedit-save.script
  EXPECT "message: QUARN-OrgEdit: ERROR opening forms-home/CO1/ORGFILE\\|>91[^\n]*\nsaved\n$")
quarn_cli_step(forms form_orgedit_name_required ARGS form orgedit --home forms-home
  --folder forms-home/CO1/ --headless ${forms_scripts}/orgedit-no-name.script
  EXPECT "^message: QUARN-OrgEdit: Organization Name is required! \\(style 16, answer 1\\)\nnot saved\n$")
quarn_cli_test(form_usage ARGS form EXIT 2 EXPECT "expects one form: orgedit, browse, image or backup")
quarn_cli_test(form_orgedit_filter ARGS form orgedit --filter "A|*" EXIT 2
  EXPECT "--title and --filter belong to browse")
quarn_cli_test(form_bad_script ARGS form orgedit --headless ${forms_scripts}/none.script
  EXIT 3 EXPECT "cannot read the script")
quarn_cli_test(form_help ARGS form --help EXPECT "usage: quarn form orgedit")

# form image: a JPEG as it is, a QIM through its work JPEG, a QIM that is not there.
quarn_cli_step(forms form_image_jpeg ARGS form image --home forms-home ${forms_scripts}/photo.jpg
  --headless ${forms_scripts}/image-view.script EXPECT "^shown: [^\n]*/photo.jpg\n$")
quarn_cli_step(forms form_image_make_qim ARGS qim create ${forms_scripts}/photo.jpg
  forms-home/photo.qim EXPECT "forms-home/photo.qim")
quarn_cli_step(forms form_image_qim ARGS form image --home forms-home forms-home/photo.qim
  --headless ${forms_scripts}/image-view.script EXPECT "^shown: forms-home/photo.qim\n$")
quarn_cli_step(forms form_image_missing ARGS form image --home forms-home forms-home/none.qim
  --headless ${forms_scripts}/image-view.script EXIT 1
  EXPECT "^message: QUARN Image Viewer: ERROR: opening QUARN Image file forms-home/none.qim \\(style 16, answer 1\\)\nnot shown\n$")
quarn_cli_test(form_image_usage ARGS form image EXIT 2 EXPECT "image expects the picture FILE")
quarn_cli_test(form_image_browse_options ARGS form image x.jpg --title T EXIT 2
  EXPECT "do not belong to image")

# --screenshot: the desktop runtime renders the form offscreen, writes the picture, closes.
quarn_cli_step(forms form_orgedit_screenshot ARGS form orgedit --home forms-home
  --folder forms-home/CO1/ --screenshot forms-home/orgedit.png
  EXPECT "not saved\nscreenshot: forms-home/orgedit.png\n")
quarn_cli_step(forms form_browse_screenshot ARGS form browse --home forms-home
  --screenshot forms-home/browse.png EXIT 1 EXPECT "^0000\nscreenshot: forms-home/browse.png\n")
quarn_cli_step(forms form_image_screenshot ARGS form image --home forms-home forms-home/photo.qim
  --screenshot forms-home/image.png EXPECT "^shown: forms-home/photo.qim\nscreenshot: forms-home/image.png\n")
foreach(test form_orgedit_screenshot form_browse_screenshot form_image_screenshot)
  set_property(TEST cli.${test} PROPERTY ENVIRONMENT
    LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/forms/qt/lsan.supp)
endforeach()

# form backup: QNBK-FOLDER preset through QNBK-PARAMETERS, on a folder of two files and a
# sub-folder. With --source the backup starts by itself; the real zip and copy programs run.
quarn_cli_home(backup backup-home BK)
add_test(NAME cli.backup_files COMMAND ${CMAKE_COMMAND} -E copy_directory
  ${forms_scripts}/backup-co1 backup-home/CO1)
set_tests_properties(cli.backup_files PROPERTIES FIXTURES_REQUIRED backup DEPENDS cli.backup_setup)
set_property(GLOBAL APPEND PROPERTY quarn_cli_steps_backup cli.backup_files)
quarn_cli_step(backup form_backup_zip ARGS form backup --home backup-home --source backup-home/CO1
  --dest backup-home/BK --zip --headless ${forms_scripts}/backup-auto.script
  EXPECT "^message: QUARN-QNBK-Folder: Creating folder zip file backup-home/BK/CO1 \\([0-9][0-9][0-9][0-9]-[0-9][0-9]-[0-9][0-9] [0-9][0-9][0-9][0-9]\\)\\.zip[^\n]*\nmessage: QUARN-QNBK-Folder: Backup ZIP file [^\n]* has been successfully created and contains zipped files from backup-home/CO1/ [^\n]*\n00 backed up\n$")
add_test(NAME cli.form_backup_zip_listing COMMAND sh -c "unzip -Z1 backup-home/BK/*.zip")
set_tests_properties(cli.form_backup_zip_listing PROPERTIES FIXTURES_REQUIRED backup
  DEPENDS cli.form_backup_zip PASS_REGULAR_EXPRESSION "^names\\.adb\n$")
set_property(GLOBAL APPEND PROPERTY quarn_cli_steps_backup cli.form_backup_zip_listing)
quarn_cli_step(backup form_backup_copy ARGS form backup --home backup-home --source backup-home/CO1
  --dest backup-home/COPY --headless ${forms_scripts}/backup-auto.script
  EXPECT "does not exist.  Do you want to create it\\? \\(style 36, answer 6\\)\n.*successfully copied to folder backup-home/COPY/ [^\n]*\n00 backed up\n$")
add_test(NAME cli.form_backup_copy_listing COMMAND ${CMAKE_COMMAND} -E compare_files
  backup-home/COPY/notes.txt ${forms_scripts}/backup-co1/notes.txt)
set_tests_properties(cli.form_backup_copy_listing PROPERTIES FIXTURES_REQUIRED backup
  DEPENDS cli.form_backup_copy)
set_property(GLOBAL APPEND PROPERTY quarn_cli_steps_backup cli.form_backup_copy_listing)
quarn_cli_step(backup form_backup_refused ARGS form backup --home backup-home
  --source backup-home/CO1 --dest backup-home/CO1 --headless ${forms_scripts}/backup-auto.script
  EXIT 1 EXPECT "The destinantion folder cannot be the same as the Source folder[^\n]*\n02 the backup failed\n$")
quarn_cli_step(backup form_backup_screenshot ARGS form backup --home backup-home
  --screenshot backup-home/backup.png EXIT 1
  EXPECT "^01 not backed up\nscreenshot: backup-home/backup.png\n")
set_property(TEST cli.form_backup_screenshot PROPERTY ENVIRONMENT
  LSAN_OPTIONS=suppressions=${PROJECT_SOURCE_DIR}/tests/forms/qt/lsan.supp)
quarn_cli_test(form_backup_zip_desktop ARGS form backup --zip EXIT 2 EXPECT "--zip needs --headless")
quarn_cli_test(form_backup_cloud_alone ARGS form backup --cloud --headless x.script EXIT 2
  EXPECT "--cloud needs --source")
quarn_cli_test(form_backup_foreign_option ARGS form orgedit --source x EXIT 2
  EXPECT "--source, --dest, --zip and --cloud belong to backup")
