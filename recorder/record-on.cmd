@rem Puts the recorder in front of the maker's library beside VelPanel.exe: TqDvManager.dll becomes
@rem TqDvManager.real.dll and this folder's TqDvManager.dll takes its place. The folder of VelPanel.exe is
@rem the one given, or the one above this script. record-off.cmd undoes it.
@setlocal & set "D=%~1" & if "%~1"=="" set "D=%~dp0.."
@if exist "%D%\TqDvManager.real.dll" (echo The recorder is already in place in %D%& exit /b 1) else (move "%D%\TqDvManager.dll" "%D%\TqDvManager.real.dll" >nul && copy "%~dp0TqDvManager.dll" "%D%\TqDvManager.dll" >nul && echo Recording: VelPanel writes VelPanel-*.tqrec beside itself from its next start.)
