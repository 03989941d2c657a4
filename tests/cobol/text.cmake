# The text and number programs by dynamic and static CALL.
quarn_cobol_test(text_dynamic text_call.cob)
quarn_cobol_test(text_static text_call.cob STATIC)
