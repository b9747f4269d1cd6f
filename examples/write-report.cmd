@echo off
rem Writes a short report to a file the user chooses.
rem   write-report.cmd [FOLDER] [DEFAULT-NAME]
rem On cancel nothing is touched; when the call to Tamvick is wrong the
rem script stops with a message of its own.
rem The /noQuote line is only captured, never run: a name may hold & ^ ( ).
setlocal
set "folder=%~1"
if not defined folder set "folder=%USERPROFILE%\Documents"
set "default=%~2"
if not defined default set "default=report.txt"
set "answer=%TEMP%\write-report-%RANDOM%.txt"

Tamvick "set target=" "%folder%\*.txt" "Save the report as" "%default%" /noQuote /overwritePrompt > "%answer%"
set status=%errorlevel%
if %status%==255 goto mistake
if %status%==1 goto nothing

set "line="
for /f "usebackq delims=" %%L in ("%answer%") do set "line=%%L"
del "%answer%"
set "target=%line:~11%"
> "%target%" echo Report of %DATE% %TIME%
>> "%target%" echo Computer: %COMPUTERNAME%
>> "%target%" echo Folder asked for: %folder%
echo Report written to "%target%"
exit /b 0

:nothing
del "%answer%"
echo No file chosen; nothing was written.
exit /b 1

:mistake
del "%answer%"
echo write-report: Tamvick refused the call, so no report was written. 1>&2
echo write-report: check the folder and the default name "%default%". 1>&2
exit /b 2
