# Assembles the page: its own files, the engine and the help, and a service
# worker whose cache name is a digest of all of them, so every change of the
# page replaces the cache of the phones that have it.
#   cmake -DSOURCE=web/page -DPAGE=out -DENGINE_DIR=dir -DHELP=help.json -P assemble_page.cmake
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE})
file(GLOB sources RELATIVE ${SOURCE} ${SOURCE}/*)
list(REMOVE_ITEM sources sw.js)
foreach(f ${sources})
  file(COPY ${SOURCE}/${f} DESTINATION ${PAGE})
endforeach()
file(COPY ${ENGINE_DIR}/orbelin-engine.js ${ENGINE_DIR}/orbelin-engine.wasm DESTINATION ${PAGE})
file(COPY_FILE ${HELP} ${PAGE}/help.json)

file(GLOB cached RELATIVE ${PAGE} ${PAGE}/*)
list(SORT cached)
set(digests "")
set(list "")
foreach(f ${cached})
  file(SHA256 ${PAGE}/${f} d)
  string(APPEND digests "${f} ${d}\n")
  string(APPEND list "  './${f}',\n")
endforeach()
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 16 VERSION)
set(FILES "  './',\n${list}")
configure_file(${SOURCE}/sw.js ${PAGE}/sw.js @ONLY)
