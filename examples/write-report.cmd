@echo off
rem Writes a short report to a file the user chooses.
rem   write-report.cmd [FOLDER] [DEFAULT-NAME]
rem Ends with 0 when the report was written, 1 when the user chose no file
rem (nothing is touched then), 2 when something went wrong, a write that
rem failed included.
rem The report is made in a work folder of this run's own and copied to the
rem chosen file in one checked step. Tamvick's line ("=" and the bare name,
rem with /noQuote) is read back with "for /f", and the name is used through
rem the for variable %%L, which cmd.exe never expands again. The line is
rem only read, never run: a name may hold & ^ ( ).
rem The dialog offers text files and all files; a name typed without an
rem extension gets .txt while text files are selected (/addExtension).
setlocal EnableExtensions DisableDelayedExpansion
set "ERRORLEVEL="
set "folder=%~1"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~2"
if not defined default set "default=report.txt"
set "tries=0"
call :makework
if errorlevel 1 exit /b 2

Tamvick "=" "%folder%\Text files (*.txt)|*.txt|All files (*.*)|*.*" /noQuote /overwritePrompt /addExtension "Save the report as" "%default%" > "%work%\answer.txt"
set "status=%errorlevel%"
if "%status%"=="1" (
    echo No file chosen; nothing was written.
    set "result=1"
    goto done
)
set "result=2"
if not "%status%"=="0" goto failed
> "%work%\report.txt" echo Report of %DATE% %TIME%
>> "%work%\report.txt" echo Computer: %COMPUTERNAME%
>> "%work%\report.txt" echo Folder asked for: "%folder%"
set "answered="
for /f "usebackq tokens=* delims==" %%L in ("%work%\answer.txt") do (
    copy /y "%work%\report.txt" "%%L" > nul
    if errorlevel 1 (
        >&2 echo write-report: the report could not be written to "%%L".
    ) else (
        echo Report written to "%%L"
        set "result=0"
    )
    set "answered=yes"
)
if defined answered goto done

:failed
>&2 echo write-report: Tamvick ended with %status% and gave no name; see the message above.

:done
rd /s /q "%work%"
exit /b %result%

:makework
rem A work folder no other run uses: md fails when the folder exists.
set /a tries+=1
set "work=%TEMP%\write-report-%RANDOM%-%RANDOM%"
md "%work%" 2>nul
if not errorlevel 1 exit /b 0
if %tries% lss 20 goto makework
>&2 echo write-report: no work folder could be made in "%TEMP%".
exit /b 1
