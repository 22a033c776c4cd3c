# Win32 platform tests: filled below.
