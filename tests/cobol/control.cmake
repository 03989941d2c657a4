# The control file with the home folder, station and user of a COBOL caller's
# X-MISC-EXTERNAL-WS.
quarn_cobol_test(control_file control_file.cob)
