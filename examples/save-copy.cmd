@echo off
rem Saves a copy of a file under a name the user chooses.
rem   save-copy.cmd FILE [FOLDER] [DEFAULT-NAME]
rem Ends with 0 when the copy was made, 1 when the user chose no name, 2
rem when something went wrong.
rem Tamvick writes "=" and the quoted name into a file in a work folder of
rem this run's own; "for /f" reads it back, and "delims==" takes the "=" off.
rem The name is used through the for variable %%L, which cmd.exe never
rem expands again, so every character of it (% ! ^ & included) stays as
rem chosen. The options come before the texts that may be empty: an empty
rem "" ends the parameters, and everything after it.
setlocal EnableExtensions DisableDelayedExpansion
set "ERRORLEVEL="
if "%~1"=="" (
    >&2 echo usage: save-copy.cmd FILE [FOLDER] [DEFAULT-NAME]
    exit /b 2
)
set "folder=%~2"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~3"
if not defined default set "default=%~nx1"
set "tries=0"
call :makework
if errorlevel 1 exit /b 2

Tamvick "=" "%folder%\*.*" /overwritePrompt "Save a copy of %~nx1" "%default%" > "%work%\answer.txt"
set "status=%errorlevel%"
if "%status%"=="1" (
    echo No name chosen; nothing was copied.
    set "result=1"
    goto done
)
set "result=2"
if not "%status%"=="0" goto failed
set "answered="
for /f "usebackq tokens=* delims==" %%L in ("%work%\answer.txt") do (
    copy /y "%~1" %%L > nul
    if errorlevel 1 (
        >&2 echo save-copy: the copy could not be made.
    ) else (
        echo Copy saved as %%L
        set "result=0"
    )
    set "answered=yes"
)
if defined answered goto done

:failed
>&2 echo save-copy: Tamvick ended with %status% and gave no name; see the message above.

:done
rd /s /q "%work%"
exit /b %result%

:makework
rem A work folder no other run uses: md fails when the folder exists.
set /a tries+=1
set "work=%TEMP%\save-copy-%RANDOM%-%RANDOM%"
md "%work%" 2>nul
if not errorlevel 1 exit /b 0
if %tries% lss 20 goto makework
>&2 echo save-copy: no work folder could be made in "%TEMP%".
exit /b 1
