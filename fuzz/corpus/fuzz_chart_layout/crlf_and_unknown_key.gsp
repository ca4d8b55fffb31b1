ORVO chart layout 1
left_title Flow
future_key 42
x_max 10
