// Reading the output files of a model run.
