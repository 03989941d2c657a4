# IXIOSTAT by dynamic and static CALL, external areas, signed display numbers.
quarn_cobol_test(ixiostat_dynamic ixiostat_call.cob)
quarn_cobol_test(ixiostat_static ixiostat_call.cob STATIC)
quarn_cobol_test(external_area external_area.cob)
quarn_cobol_test(signed_display signed_display.cob)
