/*
 * pxserver.h: the chart server component libpxserver.so for server-side web
 * pages. A page creates a chart property object, sets chart properties, asks
 * it to draw and embeds the returned image address; the component deletes its
 * image files again by the session rule the page chose.
 *
 * Objects are made by class identifier and reached by member name (compared
 * without regard to case), the late binding that page scripts use:
 *
 *   "PXServer.PXServerProp"   chart properties, Path, URL, OutPut,
 *                             DTCSetSession, KeepSeconds, TraceClass;
 *                             StartSession(), DrawGraph(session),
 *                             GetMap(file, kill), KillSession(session)
 *   "PXServer.PXServerImage"  DefaultImg, TraceClass;
 *                             SendImage(response, file, keep, expire)
 *   "PXServer.Loader"         ClsForm; ClsTracker, ClsStart, AddFile,
 *                             UniqueFile, ClsEnd
 *   "PXServer.Deleter"        Killer(file)
 *
 * Errors: every function that can fail returns an error number, PXS_OK (0) on
 * success, and never lets a C++ exception out. The numbers are those a page
 * script tests for, named PXS_ERR_... below (6 overflow, 13 type mismatch, 53
 * file not found, 438 no such member, ...). pxs_last_error() gives the
 * message of the calling thread's last failure. Output arguments are left
 * unchanged on failure.
 *
 * Versions: PXS_VERSION is the version of this header; pxs_version() that of
 * the library loaded. The library's file name carries its major version
 * (libpxserver.so.1): a new major version changes the ABI.
 *
 * Threads: any number of objects may be used from any threads at once; one
 * object and one value are used by one thread at a time.
 *
 * This header is plain C (C99 and later) and C++.
 */
#ifndef PXSERVER_H
#define PXSERVER_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(__GNUC__)
#define PXS_API __attribute__((visibility("default")))
#else
#define PXS_API
#endif

/* An object of the component. Opaque; each handle owns one reference. */
typedef struct pxs_object pxs_object;
/* A value passed to or returned from a member. Opaque; owned by its creator. */
typedef struct pxs_value pxs_value;

typedef enum pxs_type {
    PXS_EMPTY = 0,
    PXS_BOOLEAN = 1, /* True / False */
    PXS_INTEGER = 2, /* 16-bit signed */
    PXS_LONG = 3,    /* 32-bit signed */
    PXS_SINGLE = 4,  /* 32-bit IEEE float */
    PXS_DOUBLE = 5,  /* 64-bit IEEE float */
    PXS_TEXT = 6,    /* bytes, usually UTF-8 text */
    PXS_OBJECT = 7,  /* an object of the component */
    PXS_RESPONSE = 8 /* the page host's response (SendImage's first argument) */
} pxs_type;

typedef enum pxs_member {
    PXS_MEMBER_NONE = 0,
    PXS_MEMBER_PROPERTY = 1, /* read with pxs_get, write with pxs_put */
    PXS_MEMBER_INDEXED = 2,  /* the same, with a 16-bit index */
    PXS_MEMBER_METHOD = 3    /* call with pxs_call */
} pxs_member;

#define PXS_VERSION_MAJOR 1
#define PXS_VERSION_MINOR 1
#define PXS_VERSION_PATCH 0
#define PXS_VERSION (PXS_VERSION_MAJOR * 10000 + PXS_VERSION_MINOR * 100 + PXS_VERSION_PATCH)

/* Error numbers returned by the functions below. */
#define PXS_OK 0
#define PXS_ERR_INVALID_CALL 5 /* a missing or unusable argument */
#define PXS_ERR_OVERFLOW 6     /* the value does not fit the property's type */
#define PXS_ERR_OUT_OF_MEMORY 7
#define PXS_ERR_SUBSCRIPT 9      /* an index out of range */
#define PXS_ERR_TYPE_MISMATCH 13 /* a value that does not convert */
#define PXS_ERR_INTERNAL 51      /* a fault of the component itself */
#define PXS_ERR_FILE_NOT_FOUND 53
#define PXS_ERR_FILE_ACCESS 75     /* a file that cannot be made, written or read */
#define PXS_ERR_OBJECT_RELEASED 91 /* (bindings) an object used after its release */
#define PXS_ERR_INVALID_VALUE 380  /* a value outside the property's range */
#define PXS_ERR_READ_ONLY 383
#define PXS_ERR_CANNOT_CREATE 429  /* an unknown class identifier */
#define PXS_ERR_UNKNOWN_MEMBER 438 /* no property or method of that name */
#define PXS_ERR_ARGUMENT_COUNT 450
#define PXS_ERR_DRAW_FAILED 481 /* the chart engine cannot draw in this host */

/*
 * The page host's response object as SendImage uses it. Each callback returns
 * 0 on success; a non-zero return makes SendImage fail with error 75. The
 * structure and its context must stay valid for the duration of the call
 * that receives it; the component keeps no pointer to it afterwards.
 */
typedef struct pxs_response {
    void* context;
    int (*set_content_type)(void* context, const char* type);
    int (*set_expires)(void* context, int32_t minutes);
    int (*set_buffer)(void* context, int buffer);
    int (*binary_write)(void* context, const unsigned char* bytes, size_t size);
    int (*flush)(void* context);
} pxs_response;

/* ---- library ----------------------------------------------------------- */

/* The loaded library's version, as PXS_VERSION gives the header's
 * (MAJOR * 10000 + MINOR * 100 + PATCH). A page built against another major
 * version must not use the library. */
PXS_API int32_t pxs_version(void);
/* The same as text, "MAJOR.MINOR.PATCH"; static, never NULL. */
PXS_API const char* pxs_version_text(void);

/* ---- objects ----------------------------------------------------------- */

/* Creates an object by class identifier into *out. Error 429 for an unknown
 * identifier. The caller owns *out and releases it with pxs_object_delete. */
PXS_API int pxs_object_new(const char* class_id, pxs_object** out);

/* Releases the handle. Releasing the last handle of a PXServerProp ends its
 * session (deleting files by its DTCSetSession mode). NULL is ignored. */
PXS_API void pxs_object_delete(pxs_object* object);

/* The kind of member name into *kind (PXS_MEMBER_NONE when there is none). */
PXS_API int pxs_describe(pxs_object* object, const char* name, pxs_member* kind);

/* Reads property name (with index when has_index is non-zero) into result,
 * which the caller made with pxs_value_new. */
PXS_API int pxs_get(pxs_object* object, const char* name, int has_index, int16_t index,
                    pxs_value* result);

/* Writes property name. The value is converted to the property's type (error
 * 6 when it does not fit, 13 when it cannot be converted). */
PXS_API int pxs_put(pxs_object* object, const char* name, int has_index, int16_t index,
                    const pxs_value* value);

/* Calls method name with count arguments; the result goes into result when it
 * is not NULL. The arguments stay owned by the caller. */
PXS_API int pxs_call(pxs_object* object, const char* name, const pxs_value* const* args,
                     size_t count, pxs_value* result);

/* The message of this thread's last failure ("" when none). The text stays
 * valid until the next failing call on the same thread. */
PXS_API const char* pxs_last_error(void);

/* ---- values ------------------------------------------------------------ */

/* A new empty value, or NULL when out of memory; release with
 * pxs_value_delete (NULL is ignored). */
PXS_API pxs_value* pxs_value_new(void);
PXS_API void pxs_value_delete(pxs_value* value);

PXS_API pxs_type pxs_value_type(const pxs_value* value);

PXS_API void pxs_value_set_empty(pxs_value* value);
PXS_API void pxs_value_set_boolean(pxs_value* value, int on);
PXS_API void pxs_value_set_integer(pxs_value* value, int16_t number);
PXS_API void pxs_value_set_long(pxs_value* value, int32_t number);
PXS_API void pxs_value_set_single(pxs_value* value, float number);
PXS_API void pxs_value_set_double(pxs_value* value, double number);
/* Copies size bytes of text (which may hold zero bytes). Error 7 when out of
 * memory. */
PXS_API int pxs_value_set_text(pxs_value* value, const char* text, size_t size);
/* The value takes a reference of its own; the caller keeps its handle. */
PXS_API void pxs_value_set_object(pxs_value* value, pxs_object* object);
/* The value points at response without owning it (see pxs_response). */
PXS_API void pxs_value_set_response(pxs_value* value, const pxs_response* response);

/* Conversions as a page script expects them (text "12" gives 12, True gives
 * -1); error 6 or 13 when the value does not convert. */
PXS_API int pxs_value_to_boolean(const pxs_value* value, int* out);
PXS_API int pxs_value_to_long(const pxs_value* value, int32_t* out);
PXS_API int pxs_value_to_double(const pxs_value* value, double* out);
/* The value as text (numbers in their shortest form) and its size in bytes
 * into *size when size is not NULL. The text belongs to the value and stays
 * valid until the value is changed or deleted; NULL for an object or a
 * response. */
PXS_API const char* pxs_value_text(const pxs_value* value, size_t* size);
/* A new handle on the value's object into *out (release it with
 * pxs_object_delete); error 13 when the value holds no object. */
PXS_API int pxs_value_get_object(const pxs_value* value, pxs_object** out);

#ifdef __cplusplus
}
#endif

#endif /* PXSERVER_H */
