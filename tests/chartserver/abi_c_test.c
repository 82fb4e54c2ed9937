/* The C ABI from a C program: proves pxserver.h is valid C and that a page
 * written in C can draw a chart, get its address and have it deleted. */
#include "pxserver.h"

#include <ftw.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static int passed = 0;
static int failed = 0;

#define CHECK(condition)                                                                           \
    do {                                                                                           \
        if (condition) {                                                                           \
            ++passed;                                                                              \
        } else {                                                                                   \
            ++failed;                                                                              \
            fprintf(stderr, "%s:%d: failed: %s (%s)\n", __FILE__, __LINE__, #condition,            \
                    pxs_last_error());                                                             \
        }                                                                                          \
    } while (0)

static void set_text(pxs_value* value, const char* text) {
    pxs_value_set_text(value, text, strlen(text));
}

static void loader_and_deleter(const char* folder) {
    pxs_object* loader = NULL;
    pxs_object* deleter = NULL;
    pxs_value* folder_value = pxs_value_new();
    pxs_value* flag = pxs_value_new();
    pxs_value* result = pxs_value_new();
    const pxs_value* args[2];
    char placeholder[1024];
    int deleted = 0;

    CHECK(pxs_object_new("PXServer.Loader", &loader) == PXS_OK);
    CHECK(pxs_object_new("PXServer.Deleter", &deleter) == PXS_OK);
    set_text(folder_value, folder);
    pxs_value_set_boolean(flag, 0);
    args[0] = folder_value;
    args[1] = flag;
    CHECK(pxs_call(loader, "UniqueFile", args, 2, result) == PXS_OK);
    snprintf(placeholder, sizeof placeholder, "%s", pxs_value_text(result, NULL));
    CHECK(strncmp(placeholder, folder, strlen(folder)) == 0);
    CHECK(access(placeholder, F_OK) == 0);

    set_text(folder_value, placeholder);
    args[0] = folder_value;
    CHECK(pxs_call(deleter, "Killer", args, 1, result) == PXS_OK);
    CHECK(pxs_value_to_boolean(result, &deleted) == PXS_OK && deleted);
    CHECK(access(placeholder, F_OK) != 0);
    CHECK(pxs_call(deleter, "Killer", args, 1, result) == PXS_ERR_FILE_NOT_FOUND);

    pxs_object_delete(deleter);
    pxs_object_delete(loader);
    pxs_value_delete(folder_value);
    pxs_value_delete(flag);
    pxs_value_delete(result);
}

static void draw_chart(const char* folder) {
    pxs_object* prop = NULL;
    pxs_value* value = pxs_value_new();
    pxs_value* result = pxs_value_new();
    const pxs_value* args[1];
    int32_t width = 0;
    char image[1024];
    FILE* file;
    unsigned char magic[2] = {0, 0};
    int set, point;

    CHECK(pxs_object_new("PXServer.PXServerProp", &prop) == PXS_OK);
    set_text(value, "Sales");
    CHECK(pxs_put(prop, "GraphTitle", 0, 0, value) == PXS_OK);
    CHECK(pxs_get(prop, "GraphTitle", 0, 0, result) == PXS_OK);
    CHECK(strcmp(pxs_value_text(result, NULL), "Sales") == 0);
    pxs_value_set_integer(value, 400);
    CHECK(pxs_put(prop, "Width", 0, 0, value) == PXS_OK);
    CHECK(pxs_get(prop, "Width", 0, 0, result) == PXS_OK);
    CHECK(pxs_value_to_long(result, &width) == PXS_OK && width == 400);
    pxs_value_set_integer(value, 32766);
    CHECK(pxs_put(prop, "Width", 0, 0, value) == PXS_ERR_OVERFLOW);
    pxs_value_set_integer(value, 2);
    CHECK(pxs_put(prop, "NumSets", 0, 0, value) == PXS_OK);
    pxs_value_set_integer(value, 5);
    CHECK(pxs_put(prop, "NumPoints", 0, 0, value) == PXS_OK);
    for (set = 0; set < 2; ++set) {
        pxs_value_set_integer(value, (int16_t)set);
        CHECK(pxs_put(prop, "ThisSet", 0, 0, value) == PXS_OK);
        for (point = 0; point < 5; ++point) {
            pxs_value_set_double(value, set * 10.0 + point);
            CHECK(pxs_put(prop, "Data", 1, (int16_t)point, value) == PXS_OK);
        }
    }
    pxs_value_set_long(value, -1);
    CHECK(pxs_put(prop, "DTCSetSession", 0, 0, value) == PXS_OK);
    set_text(value, folder);
    CHECK(pxs_put(prop, "Path", 0, 0, value) == PXS_OK);
    set_text(value, "");
    args[0] = value;
    CHECK(pxs_call(prop, "DrawGraph", args, 1, result) == PXS_OK);
    CHECK(strncmp(pxs_value_text(result, NULL), "images/PX", 9) == 0);
    snprintf(image, sizeof image, "%s%s.JPG", folder, pxs_value_text(result, NULL) + 7);
    file = fopen(image, "rb");
    CHECK(file != NULL);
    if (file != NULL) {
        CHECK(fread(magic, 1, 2, file) == 2 && magic[0] == 0xFF && magic[1] == 0xD8);
        fclose(file);
    }
    pxs_object_delete(prop); /* mode -1: the session deletes the image */
    CHECK(access(image, F_OK) != 0);
    pxs_value_delete(value);
    pxs_value_delete(result);
}

static int remove_entry(const char* path, const struct stat* info, int flag, struct FTW* ftw) {
    (void)info;
    (void)flag;
    (void)ftw;
    return remove(path);
}

int main(void) {
    char root[] = "/tmp/pxserver-c-XXXXXX";
    char folder[1024];
    pxs_object* none = NULL;
    if (mkdtemp(root) == NULL) return 2;
    setenv("PXSERVER_SYSCONFDIR", root, 1);
    setenv("TMPDIR", root, 1);
    setenv("XDG_RUNTIME_DIR", root, 1);
    snprintf(folder, sizeof folder, "%s/", root);

    /* The library a page loads is the one its header describes. */
    CHECK(pxs_version() == PXS_VERSION);
    {
        char expected[32];
        snprintf(expected, sizeof expected, "%d.%d.%d", PXS_VERSION_MAJOR, PXS_VERSION_MINOR,
                 PXS_VERSION_PATCH);
        CHECK(strcmp(pxs_version_text(), expected) == 0);
    }
    CHECK(pxs_object_new("PXServer.Nothing", &none) == PXS_ERR_CANNOT_CREATE && none == NULL);
    CHECK(strlen(pxs_last_error()) > 0);
    loader_and_deleter(folder);
    draw_chart(folder);

    nftw(root, remove_entry, 16, FTW_DEPTH | FTW_PHYS);
    printf("%d passed, %d failed\n", passed, failed);
    return failed == 0 ? 0 : 1;
}
