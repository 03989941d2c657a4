      *> QNBK-PARAMETERS: the presets and the outcome of the backup form
      *> QNBK-FOLDER, one block per process. With "QNBK" in QNBK-MARKER the
      *> form backs up QNBK-FOLDER at once (ending with a separator) into
      *> QNBK-DESTINATION (spaces: the last destination used); QNBK-CLOUD-FLAG
      *> "Y" also hands the zip file to the cloud tool. QNBK-RESULT comes back
      *> "00" backed up, "01" ended without a backup, "02" the backup failed.
      *> Open the form with CALL "QNBK-FOLDER" (FORM-PARAMETERS.cpy: the
      *> optional parameters).
       01  QNBK-PARAMETERS EXTERNAL.
           05  QNBK-MARKER             PIC X(4).
           05  FILLER                  PIC X(2).
           05  QNBK-FOLDER             PIC X(100).
           05  QNBK-DESTINATION        PIC X(100).
           05  QNBK-CLOUD-FLAG         PIC X.
           05  QNBK-RESULT             PIC X(2).
