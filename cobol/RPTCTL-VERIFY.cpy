      *> RPTCTL-VERIFY: compares the report control file QUARN.RPT of the home
      *> folder (XM-HOME-FOLDER, XM-FOLDER-LENGTH) with the standard QUARN-STD.RPT,
      *> and in update mode brings it up to date; the run is logged in Update.LOG.
      *>   CALL "RPTCTL-VERIFY" USING RPTCTL-VERIFY-RECORD
       01  RPTCTL-VERIFY-RECORD.
      *>   "C" check, "U" update; anything else does nothing.
           05  RV-MODE                 PIC X.
      *>   "0" nothing to report, "1" check found a log and stopped, "2" a
      *>   difference found or records updated, "9" a file failed.
           05  RV-RESULT               PIC X.
