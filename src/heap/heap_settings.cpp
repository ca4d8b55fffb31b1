// jemalloc reads this when it starts (MALLOC_CONF in the environment still overrides it).
// Huge pages: a 100,000-segment network is built in a fraction of the time when its heap is
// not faulted in 4 KiB at a time.
extern "C" {
extern const char* malloc_conf;
const char* malloc_conf = "thp:always,metadata_thp:always";
}
