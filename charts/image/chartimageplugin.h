/*
 * The chart picture module libkorva_chartimage.so, loaded by korva-batch at
 * run time so that the tool itself links no Qt: it takes a chart as the
 * text of a chart settings file and writes its picture.
 */
#ifndef KORVA_CHARTIMAGEPLUGIN_H
#define KORVA_CHARTIMAGEPLUGIN_H

#include <stddef.h>

#define KORVA_CHARTIMAGE_LIBRARY "libkorva_chartimage.so"
#define KORVA_CHARTIMAGE_WRITE "korva_chartimage_write"

#ifdef __cplusplus
extern "C" {
#endif

/* Writes the chart described by settings (size bytes) at width × height
 * pixels to path (.png, .jpg, .jpeg or .svg) through a temporary file.
 * Returns 0 on success; otherwise a non-zero value with the reason in error
 * (at most errorSize bytes, terminated). */
typedef int (*korva_chartimage_write_fn)(const char* settings, size_t size, int width, int height,
                                         const char* path, char* error, size_t errorSize);

#ifdef __cplusplus
}
#endif

#endif
