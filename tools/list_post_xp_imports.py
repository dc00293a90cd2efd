#!/usr/bin/env python3
"""Writes tools/post_xp_imports.txt, the functions that 32-bit Windows XP SP3
lacks, which tools/check_xp_imports.py looks for in the shipped files'
imports. Run it again after a toolchain update:

    python3 tools/list_post_xp_imports.py

Sources, in the order of the list:
1. The MinGW-w64 headers of the toolchain: a function of one of the system
   DLLs below that the headers declare for _WIN32_WINNT 0x0A00 but not for
   0x0501 (Windows XP), with the first version that declares it.
2. Functions that those headers declare for Windows XP all the same, although
   Microsoft's documentation gives a later "Minimum supported client".
3. msvcrt.dll: the functions that the MinGW-w64 project lists as added to
   msvcrt.dll after Windows XP (mingw-w64-crt/lib-common/msvcrt.def.in,
   sections "Windows Server 2003" ... "Windows 8.1", 2024), the C++ and
   decorated names left out.
A function the headers place too late but Microsoft documents for XP SP3 is
left out (PRESENT_ON_XP_SP3).
"""
import os
import re
import subprocess
import tempfile
import textwrap

HERE = os.path.dirname(os.path.abspath(__file__))
LIST = os.path.join(HERE, "post_xp_imports.txt")
GCC = "i686-w64-mingw32-gcc"
NM = "i686-w64-mingw32-nm"
HEADER_DLLS = ["kernel32", "user32", "gdi32", "advapi32", "shell32", "comctl32", "ole32", "psapi", "version"]
VERSIONS = [(0x0600, "Windows Vista"), (0x0601, "Windows 7"), (0x0602, "Windows 8"),
            (0x0603, "Windows 8.1"), (0x0A00, "Windows 10")]

# Microsoft's documentation: Minimum supported client "Windows XP with SP3".
PRESENT_ON_XP_SP3 = {"GetProcessDEPPolicy", "SetProcessDEPPolicy"}

# Declared for Windows XP by the headers; Microsoft's documentation gives the
# Minimum supported client named here (64-bit XP does not count).
DOCUMENTED = {
    "kernel32": {
        "Windows Vista": """AddSIDToBoundaryDescriptor ClosePrivateNamespace CreateBoundaryDescriptorA
            CreateBoundaryDescriptorW CreatePrivateNamespaceA CreatePrivateNamespaceW DeleteBoundaryDescriptor
            FindFirstStreamW FindNextStreamW GetCurrentProcessorNumber GetLargePageMinimum
            GetProcessWorkingSetSizeEx GetSystemFileCacheSize GetThreadId InterlockedCompareExchange64
            NeedCurrentDirectoryForExePathA NeedCurrentDirectoryForExePathW OpenPrivateNamespaceA
            OpenPrivateNamespaceW ReOpenFile SetProcessWorkingSetSizeEx SetSystemFileCacheSize
            SetThreadStackGuarantee Wow64DisableWow64FsRedirection Wow64EnableWow64FsRedirection
            Wow64RevertWow64FsRedirection""",
        "Windows 7": "CreateRemoteThreadEx GetThreadErrorMode RaiseFailFastException SetThreadErrorMode",
        "Windows 8": "AddDllDirectory GetSystemTimePreciseAsFileTime RemoveDllDirectory SetDefaultDllDirectories",
    },
    "advapi32": {
        "Windows Vista": """RegDeleteKeyExA RegDeleteKeyExW RegDisableReflectionKey RegEnableReflectionKey
            RegGetValueA RegGetValueW RegQueryReflectionKey""",
    },
    "user32": {
        "Windows Vista": "IsWow64Message ShutdownBlockReasonCreate ShutdownBlockReasonDestroy ShutdownBlockReasonQuery",
    },
}

MSVCRT = {
    "Windows Server 2003": """___lc_collate_cp_func __CxxCallUnwindVecDtor __CxxFrameHandler2 _mkgmtime
        _mkgmtime64 _wctype""",
    "Windows Server 2003 SP1": "__CppXcptFilter",
    "Windows Vista": """
    _CrtCheckMemory _CrtDbgBreak _CrtDbgReport _CrtDbgReportV _CrtDbgReportW _CrtDbgReportWV
    _CrtDoForAllClientObjects _CrtDumpMemoryLeaks _CrtIsMemoryBlock _CrtIsValidHeapPointer
    _CrtIsValidPointer _CrtMemCheckpoint _CrtMemDifference _CrtMemDumpAllObjectsSince
    _CrtMemDumpStatistics _CrtReportBlockType _CrtSetAllocHook _CrtSetBreakAlloc _CrtSetDbgBlockType
    _CrtSetDbgFlag _CrtSetDumpClient _CrtSetReportFile _CrtSetReportHook _CrtSetReportHook2
    _CrtSetReportMode __CxxCallUnwindDelDtor __CxxFrameHandler3 __daylight __dstbias
    __libm_sse2_acos __libm_sse2_acosf __libm_sse2_asin __libm_sse2_asinf __libm_sse2_atan
    __libm_sse2_atan2 __libm_sse2_atanf __libm_sse2_cos __libm_sse2_cosf __libm_sse2_exp
    __libm_sse2_expf __libm_sse2_log __libm_sse2_log10 __libm_sse2_log10f __libm_sse2_logf
    __libm_sse2_pow __libm_sse2_powf __libm_sse2_sin __libm_sse2_sinf __libm_sse2_tan
    __libm_sse2_tanf __strncnt __wcserror_s __wcsncnt _access_s _aligned_free_dbg
    _aligned_malloc_dbg _aligned_offset_malloc_dbg _aligned_offset_realloc_dbg _aligned_realloc_dbg
    _atodbl_l _atof_l _atoflt_l _atoi64_l _atoi_l _atol_l _atoldbl_l _calloc_dbg _cgets_s _cgetws_s
    _chsize_s _chvalidator _chvalidator_l _controlfp_s _cprintf_l _cprintf_p _cprintf_p_l _cprintf_s
    _cprintf_s_l _crtAssertBusy _crtBreakAlloc _crtDbgFlag _cscanf_l _cscanf_s _cscanf_s_l _ctime32
    _ctime32_s _ctime64_s _cwprintf_l _cwprintf_p _cwprintf_p_l _cwprintf_s _cwprintf_s_l _cwscanf_l
    _cwscanf_s _cwscanf_s_l _difftime32 _difftime64 _ecvt_s _except_handler4_common _expand_dbg
    _fcvt_s _fprintf_l _fprintf_p _fprintf_p_l _fprintf_s_l _free_dbg _freea _freea_s _fscanf_l
    _fscanf_s_l _fseeki64 _ftime32 _ftime32_s _ftime64_s _ftol2 _ftol2_sse _ftol2_sse_excpt
    _fullpath_dbg _futime32 _fwprintf_l _fwprintf_p _fwprintf_p_l _fwprintf_s_l _fwscanf_l
    _fwscanf_s_l _gcvt_s _get_doserrno _get_environ _get_errno _get_fileinfo _get_fmode
    _get_osplatform _get_osver _get_output_format _get_pgmptr _get_wenviron _get_winmajor
    _get_winminor _get_winver _get_wpgmptr _gmtime32 _gmtime32_s _gmtime64_s _i64toa_s _i64tow_s
    _initterm_e _invalid_parameter _isalnum_l _isalpha_l _iscntrl_l _isctype_l _isdigit_l _isgraph_l
    _isleadbyte_l _islower_l _ismbbalnum_l _ismbbalpha_l _ismbbgraph_l _ismbbkalnum_l _ismbbkana_l
    _ismbbkprint_l _ismbbkpunct_l _ismbblead_l _ismbbprint_l _ismbbpunct_l _ismbbtrail_l
    _ismbcalnum_l _ismbcalpha_l _ismbcdigit_l _ismbcgraph_l _ismbchira_l _ismbckata_l _ismbcl0_l
    _ismbcl1_l _ismbcl2_l _ismbclegal_l _ismbclower_l _ismbcprint_l _ismbcpunct_l _ismbcspace_l
    _ismbcsymbol_l _ismbcupper_l _ismbslead_l _ismbstrail_l _isprint_l _isspace_l _isupper_l
    _iswalnum_l _iswalpha_l _iswcntrl_l _iswctype_l _iswdigit_l _iswgraph_l _iswlower_l _iswprint_l
    _iswpunct_l _iswspace_l _iswupper_l _iswxdigit_l _isxdigit_l _itoa_s _itow_s _lfind_s
    _local_unwind4 _localtime32 _localtime32_s _localtime64_s _lsearch_s _ltoa_s _ltow_s _makepath_s
    _malloc_dbg _mbbtombc_l _mbccpy_l _mbccpy_s _mbccpy_s_l _mbcjistojms_l _mbcjmstojis_l _mbclen_l
    _mbctohira_l _mbctokata_l _mbctolower_l _mbctombb_l _mbctoupper_l _mblen_l _mbsbtype_l _mbscat_s
    _mbscat_s_l _mbschr_l _mbscmp_l _mbscoll_l _mbscpy_s _mbscpy_s_l _mbscspn_l _mbsdec_l _mbsicmp_l
    _mbsicoll_l _mbsinc_l _mbslen_l _mbslwr_l _mbslwr_s _mbslwr_s_l _mbsnbcat_l _mbsnbcat_s
    _mbsnbcat_s_l _mbsnbcmp_l _mbsnbcnt_l _mbsnbcoll_l _mbsnbcpy_l _mbsnbcpy_s _mbsnbcpy_s_l
    _mbsnbicmp_l _mbsnbicoll_l _mbsnbset_l _mbsnbset_s _mbsnbset_s_l _mbsncat_l _mbsncat_s
    _mbsncat_s_l _mbsnccnt_l _mbsncmp_l _mbsncoll_l _mbsncpy_l _mbsncpy_s _mbsncpy_s_l _mbsnextc_l
    _mbsnicmp_l _mbsnicoll_l _mbsninc_l _mbsnlen_l _mbsnset_l _mbsnset_s _mbsnset_s_l _mbspbrk_l
    _mbsrchr_l _mbsrev_l _mbsset_l _mbsset_s _mbsset_s_l _mbsspn_l _mbsspnp_l _mbsstr_l _mbstok_l
    _mbstok_s _mbstok_s_l _mbstowcs_l _mbstowcs_s_l _mbstrlen_l _mbstrnlen_l _mbsupr_l _mbsupr_s
    _mbsupr_s_l _mbtowc_l _mbsnlen _mbstrnlen _memicmp_l _mkgmtime32 _mktemp_s _mktime32
    _msize_debug _printf_l _printf_p _printf_p_l _printf_s_l _putenv_s _realloc_dbg _scanf_l
    _scanf_s_l _scprintf_l _scprintf_p_l _scwprintf_l _scwprintf_p_l _searchenv_s _set_controlfp
    _set_doserrno _set_errno _set_fileinfo _set_fmode _set_output_format _snprintf_c _snprintf_c_l
    _snprintf_l _snprintf_s _snprintf_s_l _snscanf_l _snscanf_s _snscanf_s_l _snwprintf_l
    _snwprintf_s _snwprintf_s_l _snwscanf_l _snwscanf_s _snwscanf_s_l _sopen_s _splitpath_s
    _sprintf_l _sprintf_p_l _sprintf_s_l _sscanf_l _sscanf_s_l _strcoll_l _strdate_s _strdup_dbg
    _strerror_s _stricmp_l _stricoll_l _strlwr_l _strlwr_s _strlwr_s_l _strncoll_l _strnicmp_l
    _strnicoll_l _strnset_s _strset_s _strtime_s _strtod_l _strtoi64_l _strtol_l _strtoui64_l
    _strtoul_l _strupr_l _strupr_s _strupr_s_l _strxfrm_l _swprintf _swprintf_c _swprintf_c_l
    _swprintf_p_l _swprintf_s_l _swscanf_l _swscanf_s_l _tempnam_dbg _time32 _tolower_l _toupper_l
    _towlower_l _towupper_l _ui64toa_s _ui64tow_s _ultoa_s _ultow_s _umask_s _utime32 _vcprintf
    _vcprintf_l _vcprintf_p _vcprintf_p_l _vcprintf_s _vcprintf_s_l _vcwprintf _vcwprintf_l
    _vcwprintf_p _vcwprintf_p_l _vcwprintf_s _vcwprintf_s_l _vfprintf_l _vfprintf_p _vfprintf_p_l
    _vfprintf_s_l _vfwprintf_l _vfwprintf_p _vfwprintf_p_l _vfwprintf_s_l _vprintf_l _vprintf_p
    _vprintf_p_l _vprintf_s_l _vscprintf_l _vscprintf_p_l _vscwprintf_l _vscwprintf_p_l _vsnprintf_c
    _vsnprintf_c_l _vsnprintf_l _vsnprintf_s _vsnprintf_s_l _vsnwprintf_l _vsnwprintf_s
    _vsnwprintf_s_l _vsprintf_l _vsprintf_p _vsprintf_p_l _vsprintf_s_l _vswprintf _vswprintf_c
    _vswprintf_c_l _vswprintf_l _vswprintf_p_l _vswprintf_s_l _vwprintf_l _vwprintf_p _vwprintf_p_l
    _vwprintf_s_l _waccess_s _wasctime_s _wassert _wcscoll_l _wcsdup_dbg _wcserror_s _wcsftime_l
    _wcsicmp_l _wcsicoll_l _wcslwr_l _wcslwr_s _wcslwr_s_l _wcsncoll_l _wcsnicmp_l _wcsnicoll_l
    _wcsnset_s _wcsset_s _wcstoi64_l _wcstol_l _wcstombs_l _wcstombs_s_l _wcstoui64_l _wcstoul_l
    _wcsupr_l _wcsupr_s _wcsupr_s_l _wcsxfrm_l _wctime32 _wctime32_s _wctime64_s _wctomb_l
    _wctomb_s_l _wfopen_s _wfreopen_s _wfullpath_dbg _wgetenv_s _winput_s _wmakepath_s _wmktemp_s
    _woutput_s _wprintf_l _wprintf_p _wprintf_p_l _wprintf_s_l _wputenv_s _wscanf_l _wscanf_s_l
    _wsearchenv_s _wsopen_s _wsplitpath_s _wstrdate_s _wstrtime_s _wtempnam_dbg _wtmpnam_s _wtof_l
    _wtoi64_l _wtoi_l _wtol_l _wutime32 asctime_s bsearch_s btowc clearerr_s fopen_s fprintf_s
    freopen_s fscanf_s fwprintf_s fwscanf_s getenv_s mbrlen mbrtowc mbsdup_dbg mbsrtowcs mbsrtowcs_s
    mbstowcs_s memcpy_s memmove_s printf_s qsort_s rand_s scanf_s sprintf_s sscanf_s strcat_s
    strcpy_s strerror_s strncat_s strncpy_s strnlen strtok_s swprintf_s swscanf_s tanhf tmpfile_s
    tmpnam_s utime vfprintf_s vfwprintf_s vprintf_s vsprintf_s vswprintf_s vwprintf_s wcrtomb
    wcrtomb_s wcscat_s wcscpy_s wcsncat_s wcsncpy_s wcsnlen wcsrtombs wcsrtombs_s wcstok_s
    wcstombs_s wctob wctomb_s wprintf_s wscanf_s
    """,
    "Windows 8": "_create_locale _free_locale _get_current_locale _wcstod_l",
    "Windows 8.1": """__AdjustPointer __ExceptionPtrAssign __ExceptionPtrCompare __ExceptionPtrCopy
        __ExceptionPtrCopyException __ExceptionPtrCreate __ExceptionPtrCurrentException __ExceptionPtrDestroy
        __ExceptionPtrRethrow __ExceptionPtrSwap __ExceptionPtrToBool _libm_sse2_acos_precise
        _libm_sse2_asin_precise _libm_sse2_atan_precise _libm_sse2_cos_precise _libm_sse2_exp_precise
        _libm_sse2_log10_precise _libm_sse2_log_precise _libm_sse2_pow_precise _libm_sse2_sin_precise
        _libm_sse2_sqrt_precise _libm_sse2_tan_precise _W_Getdays _W_Getmonths _W_Gettnames _Wcsftime""",
}


def declared_functions(version):
    """Names of the functions that windows.h and friends declare for version."""
    with tempfile.TemporaryDirectory() as folder:
        source, info = os.path.join(folder, "all.c"), os.path.join(folder, "all.txt")
        with open(source, "w") as file:
            file.write("#include <windows.h>\n#include <psapi.h>\n#include <shellapi.h>\n#include <commctrl.h>\n")
        subprocess.run([GCC, f"-D_WIN32_WINNT={version:#06x}", f"-DWINVER={version:#06x}", "-aux-info", info,
                        "-c", source, "-o", os.devnull], check=True)
        names = set()
        for line in open(info):
            declaration = re.sub(r"__attribute__\s*\(\(.*?\)\)", "", line.split("*/", 1)[-1].split("/*")[0])
            match = re.search(r"(\w+)\s*\(", declaration)
            if match:
                names.add(match.group(1))
        return names


def import_library_names(dll):
    """Functions that the toolchain's import library of dll imports from it."""
    library = subprocess.run([GCC, f"-print-file-name=lib{dll}.a"], check=True, capture_output=True,
                             text=True).stdout.strip()
    symbols = subprocess.run([NM, library], check=True, capture_output=True, text=True).stdout
    return set(re.findall(r" I __imp__(\w+?)(?:@\d+)?$", symbols, re.MULTILINE))


def main():
    on_xp = declared_functions(0x0501)
    first_version = {}
    for version, name in VERSIONS:
        for function in declared_functions(version) - on_xp:
            first_version.setdefault(function, name)
    entries = {}  # "dll!function" -> the Windows version that added it
    for dll in HEADER_DLLS:
        for function in import_library_names(dll) & set(first_version) - PRESENT_ON_XP_SP3:
            entries[f"{dll}.dll!{function}"] = first_version[function]
    for dll, versions in DOCUMENTED.items():
        for version, functions in versions.items():
            for function in functions.split():
                entries.setdefault(f"{dll}.dll!{function}", version)
    for version, functions in MSVCRT.items():
        for function in functions.split():
            entries[f"msvcrt.dll!{function}"] = version

    with open(LIST, "w") as file:
        file.write(textwrap.dedent("""\
            # Functions that 32-bit Windows XP SP3 lacks: a program or DLL that
            # imports one of them does not load there. One "dll!function" a line,
            # then the Windows version that added it. Made by
            # tools/list_post_xp_imports.py, which names the sources; read by
            # tools/check_xp_imports.py. A function missing here is not thereby
            # known to be on Windows XP.
            """))
        for entry in sorted(entries, key=str.lower):
            file.write(f"{entry} {entries[entry]}\n")
    print(f"{LIST}: {len(entries)} functions")


if __name__ == "__main__":
    main()
