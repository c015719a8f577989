// Built into the sanitizer build only: no library loaded at run time is ever
// unloaded. The graphics driver that EGL loads on Wayland, and the libraries it
// brings, are unloaded when the windowing system shuts down, before
// LeakSanitizer looks for leaks at the program's end. Their globals go with
// them, so memory they still held shows as leaked from an unnamed module: no
// suppression can name it, and the game never owned it. Kept loaded, such
// memory stays reachable from where the driver holds it, and whatever a
// library does leak is reported under its own name.
extern "C" int dlclose(void *)
{
    return 0;
}
