@echo off
rem Copies files the user picks to a folder the user picks.
rem   copy-files.cmd [FROM-FOLDER] [TO-FOLDER]
rem Ends with 0 when every file was copied, 1 when the user chose no files
rem or no folder (nothing is copied then), 2 when something went wrong, a
rem copy that failed included.
rem Tamvick writes a line for each file ("=" and the quoted name, with
rem /multiple), and then one for the folder, into files in a work folder of
rem this run's own; "for /f" reads them back, and "delims==" takes the "="
rem off. The names are used through the for variables %%F and %%L, which
rem cmd.exe never expands again, so every character of them (% ! ^ &
rem included) stays as chosen. A drive's root comes without quotes, as C:\,
rem and %%~F takes the quotes off any other folder.
setlocal EnableExtensions DisableDelayedExpansion
set "ERRORLEVEL="
set "from=%~1"
if not defined from set "from=%USERPROFILE%\Documents"
set "to=%~2"
if not defined to set "to=%from%"
set "tries=0"
call :makework
if errorlevel 1 exit /b 2

Tamvick "=" "%from%\*.*" /multiple "Files to copy" > "%work%\files.txt"
set "status=%errorlevel%"
if "%status%"=="1" (
    echo No files chosen; nothing was copied.
    set "result=1"
    goto done
)
set "result=2"
if not "%status%"=="0" goto failed
Tamvick "=" "%to%\" /folder "Copy them to" > "%work%\folder.txt"
set "status=%errorlevel%"
if "%status%"=="1" (
    echo No folder chosen; nothing was copied.
    set "result=1"
    goto done
)
if not "%status%"=="0" goto failed
set "result=0"
set "answered="
for /f "usebackq tokens=* delims==" %%F in ("%work%\folder.txt") do (
    for /f "usebackq tokens=* delims==" %%L in ("%work%\files.txt") do (
        copy /y %%L "%%~F\" > nul
        if errorlevel 1 (
            >&2 echo copy-files: %%L could not be copied to "%%~F".
            set "result=2"
        ) else (
            echo Copied %%L to "%%~F"
        )
        set "answered=yes"
    )
)
if defined answered goto done
set "result=2"

:failed
>&2 echo copy-files: Tamvick ended with %status% and gave no name; see the message above.

:done
rd /s /q "%work%"
exit /b %result%

:makework
rem A work folder no other run uses: md fails when the folder exists.
set /a tries+=1
set "work=%TEMP%\copy-files-%RANDOM%-%RANDOM%"
md "%work%" 2>nul
if not errorlevel 1 exit /b 0
if %tries% lss 20 goto makework
>&2 echo copy-files: no work folder could be made in "%TEMP%".
exit /b 1
