// Re-encoding and the desktop wallpaper against GDI+ and the registry.
#include <gtest/gtest.h>
