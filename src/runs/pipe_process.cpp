// Child processes with redirected standard handles.
