      *> CONTROL-REQUEST: one request to the control file QUARN.CTL.
      *>   CALL "quarn_control_file" USING CONTROL-REQUEST CTL-MESSAGE
      *>        PROGRAM-ID-NAME FORM-ID-NAME
      *> CTL-METHOD: GetUserGeneralControl, SaveUserGeneralControl,
      *> GetUserStationControl, SaveUserStationControl, SetUserWindowLocation,
      *> SaveUserWindowLocation or CloseForm. A Save with CTL-VALUE all spaces
      *> deletes the setting. CTL-STATUS "00" success, "23" no such setting.
       01  CONTROL-REQUEST.
           05  CTL-METHOD              PIC X(24).
           05  CTL-SECTION             PIC X(20).
           05  CTL-VALUE               PIC X(100).
           05  CTL-STATUS              PIC X(2).
