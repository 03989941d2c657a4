# The date programs from GnuCOBOL: a typed date edited, numbered and turned back.
quarn_cobol_test(typed_date typed_date.cob)
quarn_cobol_test(typed_date_static typed_date.cob STATIC)
