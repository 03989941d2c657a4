# POP called by a GnuCOBOL report program through its copybook.
quarn_cobol_test(pop_report pop_report.cob)
