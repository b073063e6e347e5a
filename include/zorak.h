/* Zorak embedding interface.
 *
 * A host loads the library, hands it script text and reads back the result
 * text and a completion code. There is exactly one interpreter per process;
 * the first call that needs it creates it, zorak_exit releases it.
 *
 * Results come back as BSTRs that hold the 8-bit bytes of the result text.
 * The host owns them and frees them with SysFreeString. */
#ifndef ZORAK_H
#define ZORAK_H

#include <stdint.h>

#if defined(_WIN32)
#define ZORAK_CALL __stdcall
#if defined(ZORAK_BUILDING)
#define ZORAK_API __declspec(dllexport)
/* Inside the library the OLE types stay opaque and the system's headers
 * (whose VT_ and ERROR names collide with the interpreter's) stay out; only
 * the platform layer looks into them. */
typedef wchar_t* BSTR;
typedef struct tagSAFEARRAY SAFEARRAY;
#else
#define ZORAK_API __declspec(dllimport)
#include <windows.h>
#include <oleauto.h>
#endif
#else
#define ZORAK_CALL
#define ZORAK_API __attribute__((visibility("default")))

/* The OLE string layout: a 32-bit byte length, the bytes, a terminating
 * zero. A BSTR points at the first byte. */
typedef char* BSTR;

typedef struct SAFEARRAYBOUND {
    uint32_t cElements;
    int32_t lLbound;
} SAFEARRAYBOUND;

typedef struct SAFEARRAY {
    uint16_t cDims;
    uint16_t fFeatures;
    uint32_t cbElements;
    uint32_t cLocks;
    void* pvData;
    SAFEARRAYBOUND rgsabound[1];
} SAFEARRAY;
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Embedding exports. */
ZORAK_API BSTR ZORAK_CALL zorak_ver(void);
ZORAK_API int ZORAK_CALL zorak_init(SAFEARRAY** args);
ZORAK_API int ZORAK_CALL zorak_run_autoexec(int* status);
ZORAK_API intptr_t ZORAK_CALL zorak_set_app_path(const char* path);
ZORAK_API char* ZORAK_CALL zorak_get_script(void);
ZORAK_API BSTR ZORAK_CALL zorak_load_script(const char* path, const char* unused_text,
                                            int unused_flag);
ZORAK_API int ZORAK_CALL zorak_eval(int argc, char** argv, void* private_data, int run_autoexec);
ZORAK_API BSTR ZORAK_CALL zorak_command(const char* script, int breakpoints, int stack_trace,
                                        int run_autoexec, int* code);
ZORAK_API int ZORAK_CALL zorak_exit(void);

/* Console exports. */
ZORAK_API int ZORAK_CALL OpenConsole(int force);
ZORAK_API int ZORAK_CALL CloseConsole(void);
ZORAK_API int ZORAK_CALL Cls(int fill, int attribute);
ZORAK_API int ZORAK_CALL ConsoleSetFocus(void);
ZORAK_API int ZORAK_CALL Pause(const char* prompt, int unused1, int unused2);
ZORAK_API int ZORAK_CALL WriteLn(const char* text);
ZORAK_API int ZORAK_CALL CentreConsole(void);

#if !defined(_WIN32)
/* The BSTR allocator that Windows hosts get from oleaut32. */
ZORAK_API BSTR SysAllocStringByteLen(const char* bytes, unsigned int length);
ZORAK_API unsigned int SysStringByteLen(BSTR text);
ZORAK_API void SysFreeString(BSTR text);
#elif defined(ZORAK_BUILDING)
/* On Windows the library uses oleaut32's. */
__declspec(dllimport) BSTR __stdcall SysAllocStringByteLen(const char* bytes, unsigned int length);
__declspec(dllimport) unsigned int __stdcall SysStringByteLen(BSTR text);
__declspec(dllimport) void __stdcall SysFreeString(BSTR text);
#endif

#ifdef __cplusplus
}
#endif

#endif
