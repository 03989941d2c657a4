      *> CTL-MESSAGE: the control file's message, laid out as IXIOSTAT-RECORD:
      *> the status as first reported, then its description.
       01  CTL-MESSAGE.
           05  CTL-MESSAGE-STATUS      PIC X(2).
           05  CTL-MESSAGE-TEXT        PIC X(62).
