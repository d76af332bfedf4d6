# The portable core points one way: no file of store/, query/, exchange/, launch/ or
# settings/ includes the window side (res/, framework/, ui/, app/), and only
# the *_win.cpp files beside it include <windows.h>. Run with -DROOT=<source>;
# a breach fails the build with the file and line. Also that only the
# document tells its views about a change of the collection.
set(breaches "")
foreach(folder store query exchange launch settings)
  file(GLOB sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" includes REGEX "^[ \t]*#[ \t]*include")
    foreach(line ${includes})
      if(line MATCHES "[\"<](res|framework|ui|app)/")
        string(APPEND breaches "\n  ${source}: ${line}")
      elseif(line MATCHES "<windows\\.h>" AND NOT source MATCHES "_win\\.cpp$")
        string(APPEND breaches "\n  ${source}: ${line}")
      endif()
    endforeach()
  endforeach()
endforeach()
if(breaches)
  message(FATAL_ERROR "The portable core includes the window side:${breaches}")
endif()

# The collection changes only through the document's operations, which tell
# the views themselves (its Commit is private): no program file outside
# store/ updates the views by hand.
foreach(folder exchange launch settings framework ui app cli)
  file(GLOB sources "${ROOT}/${folder}/*.h" "${ROOT}/${folder}/*.cpp")
  foreach(source ${sources})
    file(STRINGS "${source}" calls REGEX "UpdateAllViews[ \t]*\\(")
    foreach(line ${calls})
      string(APPEND breaches "\n  ${source}: ${line}")
    endforeach()
  endforeach()
endforeach()
if(breaches)
  message(FATAL_ERROR "Views updated outside the document's operations:${breaches}")
endif()
