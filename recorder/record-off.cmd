@rem Takes the recorder out again: TqDvManager.real.dll goes back to being TqDvManager.dll. The folder of
@rem VelPanel.exe is the one given, or the one above this script. The recordings stay where they are.
@setlocal & set "D=%~1" & if "%~1"=="" set "D=%~dp0.."
@if not exist "%D%\TqDvManager.real.dll" (echo The recorder is not in place in %D%& exit /b 1) else (move /y "%D%\TqDvManager.real.dll" "%D%\TqDvManager.dll" >nul && echo The maker's library is back in place.)
