chcp 850 >nul
cd C:\m
set VQ3_NOT_CONVERTED=
title VQ3 Music Tool: 1 of 2: 100%% R^&B ^^!.mp3
set VQ3_FAILED_1=
start /b /min /wait madplay.exe -o wave:"100%% R&B ^!.wav" "100%% R&B ^!.mp3"
if errorlevel 1 goto vq3_1_madplay
if not errorlevel 0 goto vq3_1_madplay
start /b /min /wait enc.exe "100%% R&B ^!.wav" "100%% R&B ^!.aifr" 512
if errorlevel 1 goto vq3_1_enc
if not errorlevel 0 goto vq3_1_enc
del "100%% R&B ^!.wav"
if not exist "100%% R&B ^!.aifr" goto vq3_1_no_aifr
ren "100%% R&B ^!.aifr" "100%% R&B ^!.fda"
if exist "100%% R&B ^!.aifr" goto vq3_1_not_renamed
goto vq3_2
:vq3_1_madplay
set VQ3_FAILED_1=madplay.exe ended with exit status %errorlevel%
goto vq3_1_failed
:vq3_1_enc
set VQ3_FAILED_1=enc.exe ended with exit status %errorlevel%
goto vq3_1_failed
:vq3_1_no_aifr
set VQ3_FAILED_1=enc.exe ended with exit status 0 but wrote no .aifr
goto vq3_1_failed
:vq3_1_not_renamed
set VQ3_FAILED_1=its .aifr could not be renamed to .fda
:vq3_1_failed
set /a VQ3_NOT_CONVERTED+=1
if exist "100%% R&B ^!.wav" del "100%% R&B ^!.wav"
if exist "100%% R&B ^!.aifr" del "100%% R&B ^!.aifr"
:vq3_2
title VQ3 Music Tool: 2 of 2: B.wav
set VQ3_FAILED_2=
start /b /min /wait enc.exe "B.wav" "B.aifr" 512
if errorlevel 1 goto vq3_2_enc
if not errorlevel 0 goto vq3_2_enc
if not exist "B.aifr" goto vq3_2_no_aifr
ren "B.aifr" "B.fda"
if exist "B.aifr" goto vq3_2_not_renamed
goto vq3_3
:vq3_2_enc
set VQ3_FAILED_2=enc.exe ended with exit status %errorlevel%
goto vq3_2_failed
:vq3_2_no_aifr
set VQ3_FAILED_2=enc.exe ended with exit status 0 but wrote no .aifr
goto vq3_2_failed
:vq3_2_not_renamed
set VQ3_FAILED_2=its .aifr could not be renamed to .fda
:vq3_2_failed
set /a VQ3_NOT_CONVERTED+=1
if exist "B.aifr" del "B.aifr"
:vq3_3
if not defined VQ3_NOT_CONVERTED goto vq3_all_converted
echo off
title VQ3 Music Tool: not every file was converted
echo These files were not converted:
if defined VQ3_FAILED_1 echo "100%% R&B ^!.mp3": %VQ3_FAILED_1%
if defined VQ3_FAILED_2 echo "B.wav": %VQ3_FAILED_2%
msg * Not every file was converted: %VQ3_NOT_CONVERTED% of 2 failed.  The Command Prompt window (currently minimized) shows which and why; press a key there to close it.
pause
exit 1
:vq3_all_converted
msg * All files have been converted!
exit
