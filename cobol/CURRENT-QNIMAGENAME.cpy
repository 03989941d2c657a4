      *> CURRENT-QNIMAGENAME: the picture the image viewer QNIMAGE shows, one
      *> block per process. Put the full name there (space-padded) before
      *> CALL "QNIMAGE"; a picture the user chooses with Browse and that is
      *> then shown is written back. At most 128 characters are taken.
       01  CURRENT-QNIMAGENAME EXTERNAL.
           05  CI-IMAGE-NAME           PIC X(256).
