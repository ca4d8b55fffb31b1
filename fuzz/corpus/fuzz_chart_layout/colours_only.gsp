ORVO chart layout 1
y_ticks 0
series_color 1 #000000
series_color 10 #abcdef
