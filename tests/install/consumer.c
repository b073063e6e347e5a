/* A host built against an installed library: runs a script and prints its
   result and completion code. */
#include "zorak.h"
#include "zorak_plugin.h"

#include <stdio.h>

int main(void) {
    int code = -1;
    BSTR result = zorak_command("set answer [* 6 7]", 0, 0, 0, &code);
    printf("%s %d %d\n", result ? (const char*)result : "(null)", code, ZORAK_ROUTINE_COUNT);
    SysFreeString(result);
    zorak_exit();
    return code;
}
