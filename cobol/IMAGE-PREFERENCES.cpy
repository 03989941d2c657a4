      *> IMAGE-PREFERENCES: the image viewer's preferences, one block per
      *> process. IP-FIT-WINDOW "Y" fits the window to each picture shown, as
      *> the Resize button does; the rest belongs to the applications.
       01  IMAGE-PREFERENCES EXTERNAL.
           05  IP-FIT-WINDOW           PIC X.
           05  IP-FILLER               PIC X(63).
