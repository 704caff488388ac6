# Assembles the page: its own files, the engine, the help and the examples,
# and a service worker whose cache name is a digest of all of them, so every
# change of the page replaces the cache of the phones that have it.
#   cmake -DSOURCE=web/page -DPAGE=out -DENGINE_DIR=dir -DHELP=help.json
#         -DEXAMPLES=examples -P assemble_page.cmake
file(REMOVE_RECURSE ${PAGE})
file(MAKE_DIRECTORY ${PAGE}/examples)
file(GLOB sources RELATIVE ${SOURCE} ${SOURCE}/*)
list(REMOVE_ITEM sources sw.js)
foreach(f ${sources})
  file(COPY ${SOURCE}/${f} DESTINATION ${PAGE})
endforeach()
file(COPY ${ENGINE_DIR}/orbelin-engine.js ${ENGINE_DIR}/orbelin-engine.wasm DESTINATION ${PAGE})
file(COPY_FILE ${HELP} ${PAGE}/help.json)

# The bundled examples, byte for byte, and their names for the first visit.
file(GLOB examples RELATIVE ${EXAMPLES} ${EXAMPLES}/*.inp)
list(SORT examples)
set(names "")
foreach(f ${examples})
  file(COPY ${EXAMPLES}/${f} DESTINATION ${PAGE}/examples)
  list(APPEND names "\"${f}\"")
endforeach()
list(JOIN names ", " names)
file(WRITE ${PAGE}/examples/index.json "[${names}]\n")

file(GLOB_RECURSE cached RELATIVE ${PAGE} ${PAGE}/*)
list(SORT cached)
# The page itself is cached as './', which is how it is opened.
list(REMOVE_ITEM cached index.html)
set(digests "")
set(list "")
foreach(f ${cached})
  file(SHA256 ${PAGE}/${f} d)
  string(APPEND digests "${f} ${d}\n")
  string(APPEND list "  './${f}',\n")
endforeach()
file(SHA256 ${PAGE}/index.html d)
string(APPEND digests "index.html ${d}\n")
string(SHA256 all "${digests}")
string(SUBSTRING ${all} 0 16 VERSION)
set(FILES "  './',\n${list}")
configure_file(${SOURCE}/sw.js ${PAGE}/sw.js @ONLY)
