/* Prints the name of the pointer shape the X server shows now, one line ("cross", "fleur",
 * "top_left_corner", ...). Shapes without a name (Wine's wait cursor, for one) print
 * "-" followed by the image's width, height and a hash of its pixels, so tests can still tell
 * two nameless shapes apart. Exit status 1 when there is no display or no XFixes. */
#include <X11/Xlib.h>
#include <X11/extensions/Xfixes.h>
#include <stdint.h>
#include <stdio.h>

static uint64_t HashPixels(const XFixesCursorImage* image) {
  uint64_t hash = 1469598103934665603ull; /* FNV-1a */
  const size_t count = (size_t)image->width * image->height;
  for (size_t i = 0; i < count; ++i) {
    hash ^= (uint32_t)image->pixels[i];
    hash *= 1099511628211ull;
  }
  return hash;
}

int main(void) {
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fputs("xcursor_name: cannot open the display\n", stderr);
    return 1;
  }
  int event_base = 0;
  int error_base = 0;
  if (!XFixesQueryExtension(display, &event_base, &error_base)) {
    fputs("xcursor_name: the X server has no XFixes\n", stderr);
    XCloseDisplay(display);
    return 1;
  }
  XFixesCursorImage* image = XFixesGetCursorImage(display);
  if (image == NULL) {
    fputs("xcursor_name: no cursor image\n", stderr);
    XCloseDisplay(display);
    return 1;
  }
  if (image->name != NULL && image->name[0] != '\0') {
    printf("%s\n", image->name);
  } else {
    printf("- %ux%u %016llx\n", (unsigned)image->width, (unsigned)image->height,
           (unsigned long long)HashPixels(image));
  }
  XFree(image);
  XCloseDisplay(display);
  return 0;
}
