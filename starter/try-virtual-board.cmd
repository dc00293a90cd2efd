@echo off
rem Tries out_tarnwell.dll with the virtual board, without hardware: the test
rem host's try window, with boards 0 and 1 each in a window of its own. Every
rem path is taken from this file's own folder, so it works from wherever it
rem is started.
setlocal
set "here=%~dp0"
if not exist "%here%tarnwell_host.exe" goto not_unpacked
if not exist "%here%out_tarnwell.dll" goto not_unpacked
if not exist "%here%virtual-board\k8055d.dll" goto not_unpacked

echo Trying out_tarnwell.dll with the virtual board: two K8055 boards that
echo exist only on the screen, card addresses 0 and 1. No hardware is needed.
echo.
echo  - The try window shows the module's settings panel and a control for each
echo    output. Tick a check box or move a slider: the board's window shows it.
echo  - Card 1 (address 0) is picked. Pick "1 (open)" in the card list to drive
echo    the other board.
echo  - Close the try window to finish.
echo.
set VIRTUAL_K8055_BOARDS=0,1
set VIRTUAL_K8055_WINDOW=1
"%here%tarnwell_host.exe" --vendor-dir "%here%virtual-board" try --settings 1
set status=%errorlevel%
echo.
if "%status%"=="0" goto done
if "%status%"=="3" goto not_reached
echo The test host ended with status %status%; the lines above say why. The
echo user guide, USER-GUIDE.md, lists every status.
goto wait

:not_reached
echo Not every change you made reached a board: the lines above that start
echo with "tarnwell_host:" name the card and why. A board unplugged with the
echo Unplug button in its window stays dropped until the test host starts
echo again, as a real board does.
goto wait

:done
echo The test host ended: every change you made reached a board.
goto wait

:not_unpacked
echo This starter needs the files of the release beside it: tarnwell_host.exe,
echo out_tarnwell.dll and the folder virtual-board. Unpack the whole zip file
echo first (right-click it, Extract All), then double-click
echo try-virtual-board.cmd in the unpacked folder.
set status=1

:wait
echo.
echo Press any key to close this window.
pause >nul
exit /b %status%
