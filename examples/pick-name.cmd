@echo off
rem Asks for the name of a log file and shows it.
rem   pick-name.cmd [FOLDER] [DEFAULT-NAME]
rem Ends with 0 when a name was chosen, 1 when none was, 2 when something
rem went wrong.
rem Tamvick's line goes to a file in a work folder of this run's own, and
rem "for /f" reads it back. With "=" as the command string and /noQuote the
rem line is "=" and the bare name; "delims==" takes the "=" off. The name is
rem used through the for variable %%L, which cmd.exe never expands again, so
rem every character of it (% ! ^ & included) stays as chosen. The line is
rem only read, never run.
setlocal EnableExtensions DisableDelayedExpansion
set "ERRORLEVEL="
set "folder=%~1"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~2"
if not defined default set "default=build.log"
set "tries=0"
call :makework
if errorlevel 1 exit /b 2

Tamvick "=" "%folder%\*.log;*.txt" /noQuote "Where should the log go?" "%default%" > "%work%\answer.txt"
set "status=%errorlevel%"
if "%status%"=="1" (
    echo No name chosen.
    set "result=1"
    goto done
)
set "result=2"
if not "%status%"=="0" goto failed
for /f "usebackq tokens=* delims==" %%L in ("%work%\answer.txt") do (
    echo The log goes to: "%%L"
    set "result=0"
)
if "%result%"=="0" goto done

:failed
>&2 echo pick-name: Tamvick ended with %status% and gave no name; see the message above.

:done
rd /s /q "%work%"
exit /b %result%

:makework
rem A work folder no other run uses: md fails when the folder exists.
set /a tries+=1
set "work=%TEMP%\pick-name-%RANDOM%-%RANDOM%"
md "%work%" 2>nul
if not errorlevel 1 exit /b 0
if %tries% lss 20 goto makework
>&2 echo pick-name: no work folder could be made in "%TEMP%".
exit /b 1
