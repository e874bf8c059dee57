# The generator of named ids against small templates: what it writes for a
# good one, and that a bad name stops it with the file and the item.
# In: GENERATOR, DIR (the templates), OUT (a scratch folder).
function(generate name result output)
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DTEMPLATE=${DIR}/${name}.json -DOUTPUT=${OUT}/${name}.h
            -DROOT=${DIR} -P ${GENERATOR}
    RESULT_VARIABLE rc ERROR_VARIABLE err)
  set(${result} ${rc} PARENT_SCOPE)
  set(${output} "${err}" PARENT_SCOPE)
endfunction()

function(expect_failure name reason)
  generate(${name} rc err)
  if(rc EQUAL 0)
    message(SEND_ERROR "${name}: accepted, expected \"${reason}\"")
  elseif(NOT err MATCHES "${name}.json: item [0-9]+: .*${reason}")
    message(SEND_ERROR "${name}: the error does not say \"${reason}\": ${err}")
  endif()
endfunction()

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})

generate(DLG_NAMED rc err)
if(NOT rc EQUAL 0)
  message(FATAL_ERROR "DLG_NAMED: ${err}")
endif()
file(READ ${OUT}/DLG_NAMED.h header)
foreach(line
        "namespace dlg_named {"
        "inline constexpr int kTemplateId = 77;"
        "inline constexpr const char\\* kTemplateName = \"DLG_NAMED\";"
        "inline constexpr int IDC_COUNT_CAPTION = 10;  // LTEXT \"Count:\""
        "inline constexpr int IDC_COUNT = 11;  // EDITTEXT\n")
  if(NOT header MATCHES "${line}")
    message(SEND_ERROR "DLG_NAMED.h lacks: ${line}\n${header}")
  endif()
endforeach()
# Items without a name (12, and OK as ui::IDOK) get no constant.
if(header MATCHES "= 12;" OR header MATCHES "= 1;")
  message(SEND_ERROR "DLG_NAMED.h names an unnamed item:\n${header}")
endif()

expect_failure(DLG_TWICE "IDC_VALUE is used twice")
expect_failure(DLG_LOWER "\"firstCount\" is not IDC_")
expect_failure(DLG_NOID "IDC_CAPTION names an item without an id")
