cd C:\Rock ^& Roll 100%%
start /b /min /wait madplay.exe -o wave:"Intro.wav" "Intro.mp3"
