@echo off
rem Saves a copy of a file under a name the user chooses.
rem   save-copy.cmd FILE [FOLDER] [DEFAULT-NAME]
rem Tamvick writes a ready command, "set target=" and the quoted name, into a
rem small script; calling it sets the variable here. Ends with 0 when the copy
rem was made, 1 when the user chose no name, 2 when something went wrong.
rem The quoted name is safe to call whatever it holds, but call expands a
rem percent sign in it: where names may hold one, capture the line as
rem pick-name.cmd does.
setlocal
if "%~1"=="" (
    echo usage: save-copy.cmd FILE [FOLDER] [DEFAULT-NAME] 1>&2
    exit /b 2
)
set "folder=%~2"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~3"
if not defined default set "default=%~nx1"
set "run=%TEMP%\save-copy-%RANDOM%.cmd"

Tamvick "set target=" "%folder%\*.*" "Save a copy of %~nx1" "%default%" /overwritePrompt > "%run%"
if errorlevel 255 goto mistake
if errorlevel 1 goto nothing

call "%run%"
del "%run%"
copy /y "%~1" %target% > nul
if errorlevel 1 (
    echo save-copy: the copy could not be made. 1>&2
    exit /b 2
)
echo Copy saved as %target%
exit /b 0

:nothing
del "%run%"
echo No name chosen; nothing was copied.
exit /b 1

:mistake
del "%run%"
echo save-copy: Tamvick refused the call; see its message above. 1>&2
exit /b 2
