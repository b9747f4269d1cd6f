@echo off
rem Saves a copy of a file under a name the user chooses.
rem   save-copy.cmd FILE [FOLDER]
rem Tamvick writes a ready "copy" command into a small script, which is then
rem called. Ends with 0 when the copy was made, 1 when the user chose no
rem name, 2 when the call to Tamvick was wrong.
setlocal
if "%~1"=="" (
    echo usage: save-copy.cmd FILE [FOLDER] 1>&2
    exit /b 2
)
set "folder=%~2"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "run=%TEMP%\save-copy-%RANDOM%.cmd"

Tamvick "copy /y ""%~1""" "%folder%\*.*" "Save a copy of %~nx1" "%~nx1" /overwritePrompt > "%run%"
if errorlevel 255 goto mistake
if errorlevel 1 goto nothing

call "%run%" > nul
if errorlevel 1 (
    del "%run%"
    echo save-copy: the copy could not be made. 1>&2
    exit /b 2
)
del "%run%"
echo Copy saved.
exit /b 0

:nothing
del "%run%"
echo No name chosen; nothing was copied.
exit /b 1

:mistake
del "%run%"
echo save-copy: Tamvick refused the call; see its message above. 1>&2
exit /b 2
