// Fontconfig, which Cairo asks for the faces of texts in PNG pictures, keeps its configuration
// until the process ends. LeakSanitizer is told so, rather than failing every program of the
// sanitizer builds that draws a text; any other leak still fails it.
extern "C" const char* __lsan_default_suppressions();

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig\n";
}
