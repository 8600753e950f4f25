ren "A.aifr" "A.fda"
del "100%% ^ Mix.wav"
msg * All files have been converted!
exit
