      *> QUARN-CTLFL-EXTERNAL-VALUES: the control file of the process.
       01  QUARN-CTLFL-EXTERNAL-VALUES EXTERNAL.
           05  QC-PATH                 PIC X(100).
           05  QC-STATUS               PIC X(2).
