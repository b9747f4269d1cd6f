@echo off
rem Asks for the name of a log file and shows it.
rem   pick-name.cmd [FOLDER] [DEFAULT-NAME]
rem The result line goes to a file, and "for /f" reads it into a variable.
rem With "=" as the command string the line is "=" and the bare name, so
rem everything after the first character is the name.
rem The /noQuote line is only captured, never run: a name may hold & ^ ( ).
setlocal
set "folder=%~1"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~2"
if not defined default set "default=build.log"
set "answer=%TEMP%\pick-name-%RANDOM%.txt"

Tamvick "=" "%folder%\*.log;*.txt" "Where should the log go?" "%default%" /noQuote > "%answer%"
set status=%errorlevel%
if %status%==255 (
    del "%answer%"
    echo pick-name: Tamvick refused the call; see its message above. 1>&2
    exit /b 2
)
if %status%==1 (
    del "%answer%"
    echo No name chosen.
    exit /b 1
)
set "line="
for /f "usebackq delims=" %%L in ("%answer%") do set "line=%%L"
del "%answer%"
set "target=%line:~1%"
echo The log goes to: "%target%"
exit /b 0
