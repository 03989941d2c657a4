# GETCSZ, GETSTATE and GETNAME by dynamic and static CALL.
quarn_cobol_test(getcsz_dynamic getcsz_call.cob)
quarn_cobol_test(getcsz_static getcsz_call.cob STATIC)
