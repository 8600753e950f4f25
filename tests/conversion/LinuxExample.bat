cd /home/u/Conv
set VQ3_NOT_CONVERTED=
title VQ3 Music Tool: 1 of 2: Intro.mp3
set VQ3_FAILED_1=
start /b /min /wait madplay.exe -o wave:"Intro.wav" "Intro.mp3"
if errorlevel 1 goto vq3_1_madplay
if not errorlevel 0 goto vq3_1_madplay
start /b /min /wait enc.exe "Intro.wav" "Intro.aifr" 1024
if errorlevel 1 goto vq3_1_enc
if not errorlevel 0 goto vq3_1_enc
del "Intro.wav"
if not exist "Intro.aifr" goto vq3_1_no_aifr
ren "Intro.aifr" "Intro.fda"
if exist "Intro.aifr" goto vq3_1_not_renamed
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
if exist "Intro.wav" del "Intro.wav"
if exist "Intro.aifr" del "Intro.aifr"
:vq3_2
title VQ3 Music Tool: 2 of 2: Battle Theme.WAV
set VQ3_FAILED_2=
start /b /min /wait enc.exe "Battle Theme.WAV" "Battle Theme.aifr" 1024
if errorlevel 1 goto vq3_2_enc
if not errorlevel 0 goto vq3_2_enc
if not exist "Battle Theme.aifr" goto vq3_2_no_aifr
ren "Battle Theme.aifr" "Battle Theme.fda"
if exist "Battle Theme.aifr" goto vq3_2_not_renamed
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
if exist "Battle Theme.aifr" del "Battle Theme.aifr"
:vq3_3
if not defined VQ3_NOT_CONVERTED goto vq3_all_converted
echo off
title VQ3 Music Tool: not every file was converted
echo These files were not converted:
if defined VQ3_FAILED_1 echo "Intro.mp3": %VQ3_FAILED_1%
if defined VQ3_FAILED_2 echo "Battle Theme.WAV": %VQ3_FAILED_2%
msg * Not every file was converted: %VQ3_NOT_CONVERTED% of 2 failed.  The conversion window shows which and why; press a key there to close it.
pause
exit 1
:vq3_all_converted
msg * All files have been converted!
exit
