ORVO chart layout 1
graph_title Dissolved oxygen, river "A"
bottom_title Period
left_title Variable DO
x_min 0
x_max 365.25
y_min -0.10000000000000001
y_max 12.5
x_ticks 12
x_minor_ticks 1
y_ticks 5
y_minor_ticks 4
tick_style 0
vertical_grid 1
horizontal_grid 0
series_color 0 #1f77b4
series_color 2 #FF7F0E
