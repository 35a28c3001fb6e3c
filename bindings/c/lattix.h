/* The C interface of the Lattix grid library.
 *
 * A host creates a grid on a host window, then reaches every published member of the grid and of
 * the objects it hands out (CellObject, HeaderObject, ...) late-bound: it looks a member's dispatch
 * identifier up by name and invokes it with variant arguments. Events arrive at a sink callback.
 *
 * Conventions:
 * - Every function that can fail returns LX_OK (0) or the failure's error number (an automation
 *   error number such as 0x80040201), and fills *error when error is not NULL. No exception and no
 *   longjmp ever leaves a function of this interface.
 * - Objects are reference counted. A function that hands out an object (a result, an argument of
 *   an event, lx_host_grid) gives the receiver one reference; lx_object_release gives it back.
 * - A variant owns what it holds (string, object reference, array reference). Fill variants only
 *   with the lx_variant_set_* functions or with plain scalar fields, and release them with
 *   lx_variant_clear. Arguments are only read; results are written into variants that hold nothing
 *   (LX_EMPTY after lx_variant_init or lx_variant_clear).
 * - Strings are UTF-8.
 * - A host, its grid and the objects the grid hands out belong to the thread that created the host
 *   (an object made with lx_object_create belongs to the thread that made it). A call from another
 *   thread fails with 0x80040210 ("Object used from a thread other than the one that created it.")
 *   and changes nothing. Functions that cannot report an error (lx_object_release,
 *   lx_host_destroy, lx_host_size, lx_host_now, ...) are not checked: call them from that thread too.
 */
#ifndef LATTIX_C_LATTIX_H
#define LATTIX_C_LATTIX_H

#include <stddef.h>
#include <stdint.h>

#if defined(LATTIX_C_BUILDING)
#define LX_API __attribute__((visibility("default")))
#else
#define LX_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

typedef struct lx_host lx_host;     /* a host window with a grid filling it */
typedef struct lx_object lx_object; /* any automation object: the grid and the objects it hands out */
typedef struct lx_array lx_array;   /* an array of one or two dimensions with lower bounds */
typedef int32_t lx_dispid_t; /* a dispatch identifier */

#define LX_OK 0

/* Variant types: the standard automation type codes. */
enum lx_vartype {
    LX_EMPTY = 0,
    LX_NULL = 1,
    LX_I2 = 2,       /* value.i2 */
    LX_I4 = 3,       /* value.i4 */
    LX_R4 = 4,       /* value.r4 */
    LX_R8 = 5,       /* value.r8 */
    LX_CURRENCY = 6, /* value.currency: the amount times 10,000 */
    LX_DATE = 7,     /* value.date: days since 1899-12-30, the fraction is the time of day */
    LX_STRING = 8,   /* value.str */
    LX_OBJECT = 9,   /* value.object; NULL is the empty object reference (Nothing) */
    LX_ERROR = 10,   /* value.error: an scode; LX_SCODE_MISSING marks an omitted argument */
    LX_BOOL = 11,    /* value.boolean: 0 False, anything else True */
    LX_UI1 = 17,     /* value.ui1 */
    LX_ARRAY = 0x2000, /* value.array */
    LX_BYREF = 0x4000  /* value.ref: an argument the callee may write through */
};

#define LX_SCODE_MISSING ((int32_t)0x80020004u)

typedef struct lx_variant {
    uint16_t type; /* enum lx_vartype */
    uint16_t reserved_[3];
    union {
        int16_t i2;
        int32_t i4;
        float r4;
        double r8;
        int64_t currency;
        double date;
        int32_t error;
        int32_t boolean;
        uint8_t ui1;
        struct {
            char* data; /* NUL-terminated; may hold NUL bytes within length */
            size_t length;
        } str;
        lx_object* object;
        lx_array* array;
        struct lx_variant* ref;
    } value;
} lx_variant;

typedef struct lx_error {
    int32_t number;          /* 0 when there is no error */
    char source[64];         /* "Lattix" for the grid's own errors */
    char description[512];   /* the error's message, e.g. "Subscript out of range." */
} lx_error;

/* Invoke kinds; members publish a combination of them. */
enum lx_invoke_kind { LX_METHOD = 1, LX_GET = 2, LX_LET = 4, LX_SET = 8 };

typedef struct lx_named_arg {
    const char* name; /* a published parameter name, matched without regard to case */
    lx_variant value;
} lx_named_arg;

/* ---- library ---- */
LX_API const char* lx_library_version(void);

/* ---- variants ---- */
LX_API void lx_variant_init(lx_variant* v);
/* Releases what the variant holds and makes it LX_EMPTY. */
LX_API void lx_variant_clear(lx_variant* v);
/* dst must hold nothing; it receives a deep copy of strings and new references to objects/arrays. */
LX_API int32_t lx_variant_copy(lx_variant* dst, const lx_variant* src, lx_error* error);
/* The variant must hold nothing. The bytes are copied. */
LX_API int32_t lx_variant_set_string(lx_variant* v, const char* utf8, size_t length, lx_error* error);
/* Adds a reference to obj (NULL gives the empty object reference). */
LX_API void lx_variant_set_object(lx_variant* v, lx_object* obj);
/* Adds a reference to the array. */
LX_API void lx_variant_set_array(lx_variant* v, lx_array* array);
/* An argument passed by reference: the callee writes its result into *target. */
LX_API void lx_variant_set_byref(lx_variant* v, lx_variant* target);

/* ---- arrays: elements are variants, the first dimension varies fastest ---- */
/* dims is 1 or 2; lower[d] and count[d] give each dimension's lower bound and element count. */
LX_API int32_t lx_array_create(int32_t dims, const int32_t* lower, const int32_t* count, lx_array** out,
                               lx_error* error);
LX_API void lx_array_addref(lx_array* array);
LX_API void lx_array_release(lx_array* array);
LX_API int32_t lx_array_dims(const lx_array* array);
/* dim is 0 or 1. */
LX_API int32_t lx_array_bounds(const lx_array* array, int32_t dim, int32_t* lower, int32_t* count,
                               lx_error* error);
/* indexes holds one index per dimension (within the bounds). out must hold nothing. */
LX_API int32_t lx_array_get(const lx_array* array, const int32_t* indexes, lx_variant* out, lx_error* error);
LX_API int32_t lx_array_put(lx_array* array, const int32_t* indexes, const lx_variant* value,
                            lx_error* error);

/* ---- blocks: many cell values of a grid in one call ----
 * A block holds rows x cols plain values; element (i, j) goes to or comes from the cell at row
 * start_row + i and column index start_col + j. start_row and start_col are addresses as for
 * LoadFromArray (a number is an index, a string a key). Only what fits both the block and the grid is
 * copied (rows up to RowCount, column indices up to ColCount + 1, the row text column included);
 * *rows_done and *cols_done (each may be NULL) receive the copied extent. Values are stored as
 * CellValue stores them; reading converts each value to the block's type as the automation runtime
 * does (a text that is no number is a type mismatch). A failed call changes neither the grid nor the
 * block. */
#define LX_BLOCK_MIXED 0x0FFF /* lx_block.type: each element has its own type, see types */

typedef struct lx_block {
    int32_t type; /* LX_R8 (double), LX_I4 (int32_t), LX_STRING (UTF-8 texts) or LX_BLOCK_MIXED */
    int32_t rows;
    int32_t cols;
    int32_t reserved_;
    /* LX_R8, LX_I4, LX_BLOCK_MIXED: element (i, j) at (char*)numbers + i * row_stride + j * col_stride;
     * mixed blocks carry every value that is no text as a double (the number, the date serial, the
     * error scode, 1/0 for True/False). */
    void* numbers;
    int64_t row_stride;
    int64_t col_stride;
    /* LX_STRING, LX_BLOCK_MIXED: one byte length per element, row-major (lengths[i * cols + j]); the
     * texts follow each other in that order, elements without text having length 0. */
    int64_t* lengths;
    const char* text;  /* in: the texts' bytes */
    char* text_out;    /* out: set to the texts' bytes (NULL when none); release with lx_free */
    /* LX_BLOCK_MIXED: one variant type per element, row-major: LX_EMPTY, LX_NULL, LX_I2, LX_I4, LX_R4,
     * LX_R8, LX_DATE, LX_STRING, LX_ERROR, LX_BOOL or LX_UI1; other values are "Bad variable type.". */
    uint16_t* types;
} lx_block;

/* grid: a grid object (lx_host_grid). */
LX_API int32_t lx_load_from_block(lx_object* grid, const lx_variant* start_row, const lx_variant* start_col,
                                  const lx_block* block, int32_t* rows_done, int32_t* cols_done, lx_error* error);
LX_API int32_t lx_load_into_block(lx_object* grid, const lx_variant* start_row, const lx_variant* start_col,
                                  lx_block* block, int32_t* rows_done, int32_t* cols_done, lx_error* error);
/* Releases memory the library handed out (lx_block.text_out). */
LX_API void lx_free(void* p);

/* ---- objects ---- */
LX_API void lx_object_addref(lx_object* obj);
LX_API void lx_object_release(lx_object* obj);
/* A new object of a class hosts may create themselves, by its published name: "CTimer" (a timer
 * that fires on the host's clock; create a host first). Raises 0x800401F3 (invalid class string)
 * for any other name. */
LX_API int32_t lx_object_create(const char* class_name, lx_object** out, lx_error* error);
/* The published class name ("Lattix", "CellObject", ...). Valid while obj lives. */
LX_API const char* lx_object_class_name(const lx_object* obj);
/* A value that is equal for two handles of the same object. */
LX_API uintptr_t lx_object_identity(const lx_object* obj);

/* The dispatch identifier of the member with that name. */
LX_API int32_t lx_dispid(lx_object* obj, const char* name, lx_dispid_t* id, lx_error* error);
/* Calls a member. For LX_LET and LX_SET the value to assign is the last positional argument.
 * Positional arguments may be LX_ERROR with LX_SCODE_MISSING to leave an optional one out.
 * result (may be NULL) must hold nothing; it receives the member's result. */
LX_API int32_t lx_invoke(lx_object* obj, lx_dispid_t id, int32_t kind, const lx_variant* args, int32_t arg_count,
                         const lx_named_arg* named, int32_t named_count, lx_variant* result, lx_error* error);
LX_API int32_t lx_invoke_name(lx_object* obj, const char* name, int32_t kind, const lx_variant* args,
                              int32_t arg_count, const lx_named_arg* named, int32_t named_count,
                              lx_variant* result, lx_error* error);

/* ---- type information. Strings stay valid while obj lives. ---- */
typedef struct lx_member_desc {
    const char* name;
    lx_dispid_t id;
    int32_t kinds; /* lx_invoke_kind bits */
    int32_t param_count;
} lx_member_desc;

typedef struct lx_param_desc {
    const char* name;
    int32_t optional;
    int32_t has_default;
    int32_t by_ref;
} lx_param_desc;

typedef struct lx_event_desc {
    const char* name;
    lx_dispid_t id;
    int32_t param_count;
} lx_event_desc;

LX_API int32_t lx_member_count(const lx_object* obj);
LX_API int32_t lx_member_desc_at(const lx_object* obj, int32_t index, lx_member_desc* out, lx_error* error);
LX_API int32_t lx_member_param(const lx_object* obj, int32_t member_index, int32_t param_index,
                               lx_param_desc* out, lx_error* error);
/* The default value of an optional parameter that has one; out must hold nothing. */
LX_API int32_t lx_member_param_default(const lx_object* obj, int32_t member_index, int32_t param_index,
                                       lx_variant* out, lx_error* error);
LX_API int32_t lx_event_count(const lx_object* obj);
LX_API int32_t lx_event_desc_at(const lx_object* obj, int32_t index, lx_event_desc* out, lx_error* error);
LX_API int32_t lx_event_param(const lx_object* obj, int32_t event_index, int32_t param_index,
                              lx_param_desc* out, lx_error* error);

/* ---- the published enumerations (EGridLines, ESortTypes, ...) and their constants. Strings are
 * static. ---- */
typedef struct lx_enum_desc {
    const char* name;
    int32_t constant_count;
} lx_enum_desc;

LX_API int32_t lx_enum_count(void);
LX_API int32_t lx_enum_desc_at(int32_t index, lx_enum_desc* out, lx_error* error);
LX_API int32_t lx_enum_constant(int32_t enum_index, int32_t constant_index, const char** name, int32_t* value,
                                lx_error* error);

/* ---- events ----
 * The sink runs synchronously inside the call that raised the event. args holds the event's
 * arguments in published order; by_ref[i] is nonzero for arguments passed by reference: the sink may
 * replace those (lx_variant_clear, then set) and the grid reads them back when the sink returns.
 * Other arguments, and every object or array the sink wants to keep, must be copied; args is only
 * valid during the call. The sink may call back into the grid. */
typedef void (*lx_event_sink)(void* user_data, lx_dispid_t event_id, const char* event_name, lx_variant* args,
                              const uint8_t* by_ref, int32_t arg_count);

/* Connects a sink to the object's events; *cookie identifies the connection. A connection ends with
 * lx_event_disconnect or when the handle it was made through is released for the last time. */
LX_API int32_t lx_event_connect(lx_object* obj, lx_event_sink sink, void* user_data, int32_t* cookie,
                                lx_error* error);
LX_API int32_t lx_event_disconnect(lx_object* obj, int32_t cookie, lx_error* error);

/* ---- pictures, image lists and drawing in custom-draw events ---- */
/* A picture object (for BackgroundPicture) read from a PNG file. */
LX_API int32_t lx_picture_load_png(const char* path, lx_object** out, lx_error* error);
/* An image list object of width x height icons cut from a PNG strip, for the SetImageList methods of
 * the grid, its Header and its drop-down lists (an object or its hImageList number). */
LX_API int32_t lx_image_list_load_png(const char* path, int32_t width, int32_t height, lx_object** out,
                                      lx_error* error);
/* Registers with the grid an image list of width x height icons cut from a PNG strip; *number is the
 * list's number for CellImageList (1, 2, ...). */
LX_API int32_t lx_grid_add_image_list_png(lx_object* grid, const char* path, int32_t width, int32_t height,
                                          int32_t* number, lx_error* error);
/* The images of a list drawn for a finer screen: a PNG strip of the same icons at a larger size in the
 * list's proportions (for a 2x screen, twice the width and height), standing for the list's images
 * from index `first` (0-based) on. A grid on a screen above 96 dpi draws the list's icons at their
 * size times dpi / 96: from images given at that size when there are any, else resized smoothly.
 * The first form takes an image list object, the second the number of a list registered with a
 * grid (which repaints). */
LX_API int32_t lx_image_list_add_larger_png(lx_object* image_list, const char* path, int32_t first, lx_error* error);
LX_API int32_t lx_grid_add_larger_images_png(lx_object* grid, int32_t number, const char* path, int32_t first,
                                             lx_error* error);
/* Drawing into the hdc handed to CustomDrawCell, BeforeCellContentsDraw, AfterCellContentsDraw,
 * AfterCellDraw and CustomDrawTreeButton, valid only during that event. Colours are 0x00BBGGRR or
 * system colours 0x800000nn; flags of lx_dc_draw_text are the text format flags (lxTextSingleLine,
 * ...) plus 1 centre, 2 right, 4 vertical centre, 8 bottom. */
LX_API int32_t lx_dc_fill_rect(int32_t hdc, int32_t left, int32_t top, int32_t right, int32_t bottom,
                               uint32_t colour, lx_error* error);
LX_API int32_t lx_dc_draw_text(int32_t hdc, const char* utf8, int32_t left, int32_t top, int32_t right,
                               int32_t bottom, uint32_t flags, uint32_t colour, lx_error* error);

/* ---- record sets: the RS argument of FillFromRS (of the grid and of a drop-down list) ----
 * A record set is an object standing before its first record; the grid steps it forward to the end.
 * Field kinds (the declared type of a field) choose the sort type of the columns the grid makes. */
enum lx_field_kind { LX_FIELD_UNKNOWN = 0, LX_FIELD_TEXT = 1, LX_FIELD_INTEGER = 2, LX_FIELD_REAL = 3, LX_FIELD_DATE = 4 };

typedef struct lx_record_set_callbacks {
    /* Steps to the next record: *has_record = 1 on a record, 0 past the last one. Returns LX_OK, or
     * an error number with *error filled (its source and description reach the grid's caller). */
    int32_t (*move_next)(void* user_data, int32_t* has_record, lx_error* error);
    /* The current record's field (counted from 0) into out, which holds nothing. Same returns. */
    int32_t (*value)(void* user_data, int32_t field, lx_variant* out, lx_error* error);
    /* Called once when the record set goes; may be NULL. */
    void (*release)(void* user_data);
} lx_record_set_callbacks;

/* A record set over a host's own cursor. field_names holds field_count UTF-8 names; field_kinds
 * (NULL: all unknown) one lx_field_kind each. The names are copied; callbacks->release(user_data)
 * runs when the last reference goes, also when this call fails after taking the callbacks. */
LX_API int32_t lx_record_set_create(int32_t field_count, const char* const* field_names, const int32_t* field_kinds,
                                    const lx_record_set_callbacks* callbacks, void* user_data, lx_object** out,
                                    lx_error* error);
/* A record set over the result of a query on a SQLite database file (opened read-only). A file that
 * does not open or a query that does not prepare fails with 0x80004005, source "SQLite" and the
 * database's message. */
LX_API int32_t lx_record_set_sqlite(const char* path, const char* sql, lx_object** out, lx_error* error);
/* Shows a record set (either kind) in the grid without copying it: every row and column goes, one
 * column is made per field as FillFromRS makes them, the grid turns virtual and reads one record
 * each time it needs a row (painting, scrolling, paging, keys), so a query of any length shows its
 * first screen at once and memory grows with the rows a user has come to. A record the cursor fails
 * to read fails the call that asked for the row, with the source's message, and adds no row.
 * Ctrl+End, Sort, DoDefaultSort, Group and FillFromRS read the remaining records first. The grid
 * keeps a reference to the record set until it is unbound or destroyed; it closes nothing. */
LX_API int32_t lx_grid_bind_record_set(lx_object* grid, lx_object* record_set, lx_error* error);
/* Ends the binding: the rows read stay, no more are read. */
LX_API int32_t lx_grid_unbind_record_set(lx_object* grid, lx_error* error);
/* Reads every remaining record into rows; *rows_read (may be NULL) is the number read in all (0
 * without a binding). */
LX_API int32_t lx_grid_read_bound_records(lx_object* grid, int64_t* rows_read, lx_error* error);
/* Helpers for value callbacks, filling a variant that holds nothing the way the grid stores a
 * database value: an integer given by its decimal digits (any length) becomes a 32-bit integer, a
 * double while it is exact, else its digits as text; a binary value of that many bytes becomes the
 * text "<blob: N bytes>". */
LX_API int32_t lx_variant_set_integer_text(lx_variant* v, const char* digits, lx_error* error);
LX_API int32_t lx_variant_set_blob_marker(lx_variant* v, int64_t bytes, lx_error* error);

/* ---- hosts ---- */
/* A headless top-level window of the given client size (1..16384) with a grid filling it: the grid
 * window is a child at (0, 0) of the host window's client area, of the same size. */
LX_API int32_t lx_host_create(int32_t width, int32_t height, lx_host** out, lx_error* error);
/* The same on a screen of dpi dots per inch (24..1200; lx_host_create uses 96). Fonts, the system's
 * control sizes and the sizes the grid takes in 96-dpi units follow it; coordinates, widths and
 * heights stay pixels of that screen. Every host of a process shares one screen: the dpi given
 * last is the one in force. */
LX_API int32_t lx_host_create_at_dpi(int32_t width, int32_t height, int32_t dpi, lx_host** out, lx_error* error);
/* Destroys the window and releases the host's reference to its grid. Handles of the grid and of its
 * objects stay valid: the grid lives on while a handle of it does, and once the grid is gone the
 * members of its objects raise error 522. */
LX_API void lx_host_destroy(lx_host* host);
/* The grid of the host (a new reference). */
LX_API lx_object* lx_host_grid(lx_host* host);
LX_API int32_t lx_host_size(const lx_host* host, int32_t* width, int32_t* height);
/* Resizes the host window's client area (1..16384 each way); the grid window follows it. */
LX_API int32_t lx_host_resize(lx_host* host, int32_t width, int32_t height, lx_error* error);
/* As when the window moves to a screen of dpi dots per inch (24..1200): the window keeps its size on
 * the screen, so its client area in pixels scales by new / old dpi; every grid rescales its row
 * heights, column widths and header, makes its fonts again at the new dpi, lays out once and
 * repaints. Every host of a process shares the screen. */
LX_API int32_t lx_host_set_dpi(lx_host* host, int32_t dpi, lx_error* error);
/* Gives the grid window the keyboard focus. */
LX_API int32_t lx_host_focus(lx_host* host, lx_error* error);

/* ---- property bags: the grid's persisted properties as a JSON object keyed by entry name ---- */
/* A host whose grid is loaded from the bag; an entry its property refuses fails the call (no host). */
LX_API int32_t lx_host_create_from_property_bag(const char* json, int32_t width, int32_t height, lx_host** out,
                                                lx_error* error);
/* Text results: *needed is the size with the terminating zero; the text is copied only when buffer
 * holds that many bytes. */
LX_API int32_t lx_host_save_properties(lx_host* host, char* buffer, int32_t size, int32_t* needed,
                                       lx_error* error);
/* The property names the grid reported changed to the host, in order, each ended by a newline. */
LX_API int32_t lx_host_changed_properties(lx_host* host, char* buffer, int32_t size, int32_t* needed,
                                          lx_error* error);

/* ---- driving the host window like a user. Coordinates are client pixels of the window; button is
 * 1 left, 2 right, 4 middle; shift is 1 Shift + 2 Ctrl + 4 Alt, held for the duration of the call.
 * Each call delivers everything it causes (events included) before it returns. ---- */
/* Buttons pressed with lx_host_mouse_down stay held during moves until lx_host_mouse_up. */
LX_API int32_t lx_host_mouse_move(lx_host* host, int32_t x, int32_t y, int32_t shift, lx_error* error);
LX_API int32_t lx_host_mouse_down(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                  lx_error* error);
LX_API int32_t lx_host_mouse_up(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                lx_error* error);
/* Press and release at one point, without time passing. */
LX_API int32_t lx_host_click(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift, lx_error* error);
/* Two clicks in a row: the second press arrives as a double click. */
LX_API int32_t lx_host_double_click(lx_host* host, int32_t x, int32_t y, int32_t button, int32_t shift,
                                    lx_error* error);
/* Press at (x1, y1), move to (x2, y2) in steps moves, release. */
LX_API int32_t lx_host_drag(lx_host* host, int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t steps,
                            int32_t button, int32_t shift, lx_error* error);
/* delta in wheel units: +120 is one notch away from the user. */
LX_API int32_t lx_host_wheel(lx_host* host, int32_t delta, int32_t x, int32_t y, int32_t shift, lx_error* error);
/* The horizontal wheel: +120 is one notch to the right. */
LX_API int32_t lx_host_hwheel(lx_host* host, int32_t delta, int32_t x, int32_t y, int32_t shift, lx_error* error);
/* key is a virtual-key code (0x28 Down, 0x0D Return, 'A' = 0x41, ...). lx_host_key presses and
 * releases it, with the character it types. */
LX_API int32_t lx_host_key(lx_host* host, int32_t key, int32_t shift, lx_error* error);
LX_API int32_t lx_host_key_down(lx_host* host, int32_t key, int32_t shift, lx_error* error);
LX_API int32_t lx_host_key_up(lx_host* host, int32_t key, int32_t shift, lx_error* error);
/* Types UTF-8 text, character by character. */
LX_API int32_t lx_host_type_text(lx_host* host, const char* utf8, lx_error* error);

/* ---- input methods, as one sends them to the window with the focus (the grid, or the editor of
 * the cell being edited). Text is UTF-8; positions count characters. ---- */
/* Starts a composition (updating or committing without one starts it too). */
LX_API int32_t lx_host_composition_start(lx_host* host, lx_error* error);
/* Shows text being composed (not yet part of any text) with its caret cursor characters into it,
 * -1 for its end; a cursor outside -1..its length is an invalid argument. On the grid it starts an
 * edit on the current cell where typing its first character would. Empty text ends the
 * composition, as a cancel does. */
LX_API int32_t lx_host_composition_update(lx_host* host, const char* utf8, int32_t cursor, lx_error* error);
/* Commits text and ends the composition: the text is taken as typed (on a grid without an open
 * editor each character arrives as a key's character, starting an edit or searching). */
LX_API int32_t lx_host_composition_commit(lx_host* host, const char* utf8, lx_error* error);
/* Ends the composition, dropping what was being composed. */
LX_API int32_t lx_host_composition_cancel(lx_host* host, lx_error* error);
/* What the focused window tells an input method. */
typedef struct lx_input_method_state {
    int32_t answered; /* 0 when no window answered (everything else is then 0) */
    int32_t enabled;  /* 1 when the window takes typed text */
    /* The caret (the composition's caret while composing), client coordinates of the host window. */
    int32_t caret_left, caret_top, caret_right, caret_bottom;
    /* The caret and the far end of the selection in the surrounding text (the caret's line). */
    int32_t cursor, anchor;
} lx_input_method_state;
/* The surrounding text goes to text as lx_host_clipboard_text does (text may be NULL with size 0). */
LX_API int32_t lx_host_input_method_query(lx_host* host, lx_input_method_state* out, char* text, int32_t size,
                                          int32_t* needed, lx_error* error);

/* ---- virtual time: the clock moves only when told; due timers fire on the way, in order. ---- */
LX_API int32_t lx_host_advance(lx_host* host, int64_t ms, lx_error* error);
/* Delivers the queued messages and the pending paints, as a desktop event loop does when it has
   nothing else to do: changes to cells on screen are painted here (or by lx_host_save_png). */
LX_API int32_t lx_host_pump(lx_host* host, lx_error* error);
/* Milliseconds since the clock started; -1 for no host. */
LX_API int64_t lx_host_now(const lx_host* host);

/* ---- message boxes and menus, answered from a script, one answer each, in order ---- */
enum lx_answer_kind { LX_ANSWER_ANY = 0, LX_ANSWER_MESSAGE_BOX = 1, LX_ANSWER_MENU = 2 };
/* value: a button result (1 OK, 2 Cancel, 6 Yes, 7 No, ...) or a menu command (0 dismisses). */
LX_API int32_t lx_host_answer_next(lx_host* host, int32_t kind, int32_t value, lx_error* error);
/* Answers by button caption ("Yes") or menu item text. */
LX_API int32_t lx_host_answer_next_text(lx_host* host, const char* text, lx_error* error);
LX_API int32_t lx_host_pending_answers(const lx_host* host);
LX_API int32_t lx_host_message_boxes_shown(const lx_host* host);

/* ---- popup windows ---- */
/* The screen rectangle (left, top, right, bottom) of the open popup window of the host, such as a
 * grid's drop-down list (tooltips are not counted); the host window's client area starts at (0, 0)
 * of the screen. Returns 1 when one is open, 0 when none is (the rectangle is then left alone). */
LX_API int32_t lx_host_popup_rect(const lx_host* host, int32_t* left, int32_t* top, int32_t* right, int32_t* bottom);
/* ---- the clipboard, as another program on the desktop reads and writes it ---- */
/* The clipboard's text as UTF-8 (up to its first NUL): *needed is the size with the terminating
 * zero, and the text is copied only when buffer holds that many bytes; *needed is 0 when the
 * clipboard holds no text. */
LX_API int32_t lx_host_clipboard_text(lx_host* host, char* buffer, int32_t size, int32_t* needed, lx_error* error);
/* Replaces the clipboard's contents with UTF-8 text; the clipboard's sequence number changes. */
LX_API int32_t lx_host_set_clipboard_text(lx_host* host, const char* utf8, lx_error* error);
/* The clipboard's sequence number (it changes with every change of the contents); 0 for no host. */
LX_API uint32_t lx_host_clipboard_sequence(const lx_host* host);

/* ---- the last popup menu shown (a built-in context menu, answered or dismissed) ---- */
typedef struct lx_menu_item {
    int32_t command;   /* 0 for a separator */
    int32_t enabled;   /* 1 or 0 */
    int32_t checked;   /* 1 or 0 */
    int32_t separator; /* 1 for a separator line */
} lx_menu_item;
/* The number of items of the last menu (separators included); 0 when no menu was shown. */
LX_API int32_t lx_host_last_menu_item_count(const lx_host* host);
/* Item index (0-based) of the last menu; its text goes to text as lx_host_clipboard_text does
 * ("-" for a separator). An index outside the menu is error 0x800A0009 (Subscript out of range). */
LX_API int32_t lx_host_last_menu_item(lx_host* host, int32_t index, lx_menu_item* out, char* text, int32_t size,
                                      int32_t* needed, lx_error* error);

/* ---- drag and drop in the headless host. Effects: 1 copy, 2 move, 4 link (0 none). ---- */
/* Another program drags UTF-8 text (offered as text/plain and text/tab-separated-values) over client
 * point (x, y) with the left button, shift 1 Shift + 2 Ctrl held; with drop nonzero it is dropped
 * there, else it leaves again. *effect (may be NULL) receives the effect the drop target took. */
LX_API int32_t lx_host_drop_text(lx_host* host, int32_t x, int32_t y, const char* utf8, int32_t allowed_effects,
                                 int32_t shift, int32_t drop, int32_t* effect, lx_error* error);
/* How the next drag a grid starts (OLEDrag) ends: mode 0 cancelled, 1 dropped at client point (x, y)
 * of this host's window, 2 taken by another program with `effect`. Drags without a script entry are
 * cancelled. */
LX_API int32_t lx_host_script_drag(lx_host* host, int32_t mode, int32_t x, int32_t y, int32_t effect,
                                   lx_error* error);
/* The tab-separated text of the latest drag a grid started; *needed as for lx_host_save_properties. */
LX_API int32_t lx_host_last_drag_text(lx_host* host, char* buffer, int32_t size, int32_t* needed, lx_error* error);

/* ---- pictures ---- */
/* The window with its children and popups, as a PNG file; pending paints run first. */
LX_API int32_t lx_host_save_png(lx_host* host, const char* path, lx_error* error);

#ifdef __cplusplus
}
#endif

#endif /* LATTIX_C_LATTIX_H */
