# Writes the C file that embeds a .res in section "talix_rsrc" and registers it at load.
# Run as: cmake -DRES=<file.res> -DOUT=<file.c> -P TalixEmbedRes.cmake
file(MD5 ${RES} res_md5)
file(WRITE ${OUT} "/* Generated from ${RES} (MD5 ${res_md5}). */
__asm__(\".section talix_rsrc,\\\"a\\\"\\n\"
        \".balign 16\\n\"
        \".incbin \\\"${RES}\\\"\\n\"
        \".previous\\n\");

extern const char __start_talix_rsrc[] __attribute__((visibility(\"hidden\")));
extern const char __stop_talix_rsrc[] __attribute__((visibility(\"hidden\")));
extern void talix_register_resources(const void* start, const void* end, const void* anchor);
extern void talix_unregister_resources(const void* start);

__attribute__((constructor)) static void talix_resources_register(void) {
  talix_register_resources(__start_talix_rsrc, __stop_talix_rsrc, (const void*)&talix_resources_register);
}

__attribute__((destructor)) static void talix_resources_unregister(void) {
  talix_unregister_resources(__start_talix_rsrc);
}
")
