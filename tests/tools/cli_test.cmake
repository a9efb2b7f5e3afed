# Runs velmora-cli against the bundled week. Called by ctest as
#   cmake -DCLI=<velmora-cli> -DWEEK=<AKTUELLEWOCHE.TTD> -DWORK=<scratch dir> -DCASE=<group> -P cli_test.cmake
cmake_minimum_required(VERSION 3.22)

# The bundled week: the allowed signs of games 1..13, in display order.
set(week_signs 1 10 102 2 12 102 10 1 02 102 10 12 102)
set(games 13)
set(full_size 1)
set(missing_with_one_row 0)
foreach(signs IN LISTS week_signs)
  string(LENGTH "${signs}" allowed)
  math(EXPR full_size "${full_size} * ${allowed}")
  math(EXPR missing_with_one_row "${missing_with_one_row} + ${allowed} - 1")
endforeach()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

function(check failure)
  message(SEND_ERROR "${CASE}: ${failure}\n  exit: ${rc}\n  stdout: ${out}\n  stderr: ${err}")
endfunction()

function(expect_contains text needle what)
  string(FIND "${text}" "${needle}" at)
  if(at EQUAL -1)
    check("${what}: '${needle}' expected")
  endif()
endfunction()

# Runs velmora-cli in WORK; leaves rc, out and err in the caller's scope.
macro(run_cli)
  execute_process(COMMAND "${CLI}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
endmacro()

macro(run_ok)
  run_cli(${ARGN})
  if(NOT rc EQUAL 0)
    check("should succeed: ${ARGN}")
  endif()
endmacro()

# A refused call: non-zero exit, a German message on stderr, nothing on stdout.
macro(run_refused message)
  run_cli(${ARGN})
  string(FIND "${err}" "Fehler: " at)
  if(rc EQUAL 0 OR NOT at EQUAL 0 OR NOT out STREQUAL "")
    check("should be refused with 'Fehler: ...': ${ARGN}")
  endif()
  expect_contains("${err}" "${message}" "${ARGN}")
endmacro()

function(expect_rows file expected)
  file(SIZE "${WORK}/${file}" size)
  math(EXPR want "${expected} * ${games}")
  if(NOT size EQUAL want)
    check("${file} holds ${size} bytes, ${want} expected")
  endif()
endfunction()

# Writes bytes given as octal escapes ("\001\000...").
function(write_bytes file escapes)
  execute_process(COMMAND printf "${escapes}" OUTPUT_FILE "${WORK}/${file}" RESULT_VARIABLE result)
  if(NOT result EQUAL 0)
    message(FATAL_ERROR "printf failed: ${result}")
  endif()
endfunction()

if(CASE STREQUAL "generate")
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out full.prd)
  expect_contains("${out}" "Systemgröße: ${full_size} Reihen" "guarantee 0 keeps the full system")
  expect_rows(full.prd ${full_size})
  if(NOT err STREQUAL "")
    check("the full system covers every tip, no warning expected")
  endif()

  run_ok(generate --plan "${WEEK}" --guarantee 1 --out g1.prd)
  file(SIZE "${WORK}/g1.prd" size)
  math(EXPR rest "${size} % ${games}")
  math(EXPR rows "${size} / ${games}")
  if(NOT rest EQUAL 0 OR rows EQUAL 0 OR NOT rows LESS full_size)
    check("guarantee 1: ${size} bytes is no proper reduction of the full system")
  endif()
  expect_contains("${out}" "Systemgröße: ${rows} Reihen" "guarantee 1 reports the rows written")

  # The same seed draws the same rows, another seed others.
  foreach(run a:42 b:42 c:43)
    string(REPLACE ":" ";" run "${run}")
    list(GET run 0 name)
    list(GET run 1 seed)
    run_ok(generate --plan "${WEEK}" --count 100 --seed ${seed} --out count_${name}.prd)
    expect_rows(count_${name}.prd 100)
    file(SHA256 "${WORK}/count_${name}.prd" hash_${name})
  endforeach()
  if(NOT hash_a STREQUAL hash_b OR hash_a STREQUAL hash_c)
    check("count: the seed must decide the rows drawn")
  endif()

  math(EXPR beyond "${full_size} + 1")
  run_ok(generate --plan "${WEEK}" --count ${beyond} --out beyond.prd)
  expect_contains("${err}" "Warnung: Vorgegebene Zahl ist größer als Vollsystem" "count beyond")
  expect_rows(beyond.prd ${full_size})

  # One row holds one sign per game: every other tipped sign is reported missing.
  run_ok(generate --plan "${WEEK}" --count 1 --seed 5 --out one.prd)
  expect_rows(one.prd 1)
  string(REGEX MATCHALL "Spiel [0-9]+: Tipp [102] fehlt" missing "${err}")
  list(LENGTH missing count)
  if(NOT count EQUAL missing_with_one_row)
    check("count 1: ${missing_with_one_row} missing signs expected, ${count} reported")
  endif()

elseif(CASE STREQUAL "reduce")
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out full.prd)
  run_ok(generate --plan "${WEEK}" --guarantee 2 --out g2.prd)

  # Reducing the saved full system must give what generate gives in one go, also in place.
  file(COPY_FILE "${WORK}/full.prd" "${WORK}/inplace.prd")
  run_ok(reduce --games 13 --rows inplace.prd --guarantee 2 --out inplace.prd)
  run_ok(reduce --games 13 --rows full.prd --guarantee 2 --out r2.prd)
  file(SIZE "${WORK}/r2.prd" size)
  math(EXPR rows "${size} / ${games}")
  expect_contains("${out}" "Systemgröße: ${rows} Reihen" "reduce reports the rows written")
  foreach(file g2 r2 inplace)
    file(SHA256 "${WORK}/${file}.prd" hash_${file})
  endforeach()
  if(NOT hash_r2 STREQUAL hash_g2 OR NOT hash_inplace STREQUAL hash_g2)
    check("reduce --guarantee 2 differs from generate --guarantee 2")
  endif()

elseif(CASE STREQUAL "info")
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out full.prd)
  run_ok(info --games 13 --rows full.prd --json)
  string(JSON json_games GET "${out}" games)
  string(JSON json_rows GET "${out}" rows)
  string(JSON entries LENGTH "${out}" signs)
  if(NOT json_games EQUAL games OR NOT json_rows EQUAL full_size OR NOT entries EQUAL games)
    check("info --json: games ${json_games}, rows ${json_rows}, ${entries} game entries")
  endif()
  # In the full system each allowed sign of a game stands in an equal share of the rows.
  set(index 0)
  foreach(signs IN LISTS week_signs)
    math(EXPR game "${index} + 1")
    string(LENGTH "${signs}" allowed)
    string(JSON number GET "${out}" signs ${index} game)
    foreach(sign 1 0 2)
      string(FIND "${signs}" "${sign}" tipped)
      set(expected 0)
      if(NOT tipped EQUAL -1)
        math(EXPR expected "${full_size} / ${allowed}")
      endif()
      string(JSON count GET "${out}" signs ${index} ${sign})
      if(NOT number EQUAL game OR NOT count EQUAL expected)
        check("info --json: entry ${index} (game ${number}), sign ${sign}: ${count}, ${expected} expected")
      endif()
    endforeach()
    math(EXPR index "${index} + 1")
  endforeach()

  run_ok(info --games 13 --rows full.prd)
  expect_contains("${out}" "Reihen: ${full_size}" "info as text")

elseif(CASE STREQUAL "errors")
  run_refused("Die Datei 'missing.ttd' kann nicht geöffnet werden"
              generate --plan missing.ttd --guarantee 0 --out out.prd)

  # A 13-game plan whose game 5 has no tip: pairs (0,t) (1,t) (2,t) at bytes 77..82.
  string(REPEAT "\\000" 77 reserved)
  set(plan "")
  foreach(game RANGE 1 13)
    if(game EQUAL 5)
      string(APPEND plan "${reserved}\\000\\000\\001\\000\\002\\000\\000")
    else()
      string(APPEND plan "${reserved}\\000\\003\\001\\005\\002\\000\\000")
    endif()
  endforeach()
  write_bytes(incomplete.ttd "${plan}")
  run_refused("Es Fehlen noch Tips (ohne Tipp: Spiel 5)"
              generate --plan incomplete.ttd --guarantee 0 --out out.prd)

  set(one_limit "Bitte genau eine der Optionen --guarantee und --count angeben.")
  run_refused("${one_limit}" generate --plan "${WEEK}" --guarantee 1 --count 10 --out out.prd)
  run_refused("${one_limit}" generate --plan "${WEEK}" --out out.prd)
  run_refused("Die Garantiestufe muss 0, 1, 2 oder 3 sein."
              generate --plan "${WEEK}" --guarantee 4 --out out.prd)
  run_refused("Die Reihenanzahl muss eine ganze Zahl"
              generate --plan "${WEEK}" --count -1 --out out.prd)
  run_refused("Der Startwert muss eine ganze Zahl"
              generate --plan "${WEEK}" --count 10 --seed x --out out.prd)

  # Writing the rows over the plan would destroy it.
  file(COPY_FILE "${WEEK}" "${WORK}/week.ttd")
  run_refused("ist die Tippplandatei selbst" generate --plan week.ttd --guarantee 0 --out week.ttd)
  file(SHA256 "${WEEK}" original)
  file(SHA256 "${WORK}/week.ttd" kept)
  if(NOT kept STREQUAL original)
    check("the refused call changed the plan file")
  endif()

  run_ok(generate --plan "${WEEK}" --guarantee 0 --out full.prd)
  run_refused("Die Spielzahl muss zwischen 11 und 14 liegen." info --games 10 --rows full.prd)
  run_refused("Die Garantiestufe muss 1, 2 oder 3 sein."
              reduce --games 13 --rows full.prd --guarantee 0 --out out.prd)
  string(REPEAT "\\001" 14 fourteen)
  write_bytes(fourteen.prd "${fourteen}")
  run_refused("Spielezahlen stimmen nicht überein" info --games 13 --rows fourteen.prd)
  run_refused("Spielezahlen stimmen nicht überein"
              reduce --games 13 --rows fourteen.prd --guarantee 1 --out out.prd)
  if(EXISTS "${WORK}/out.prd")
    check("a refused call wrote out.prd")
  endif()

  run_refused("Unerwartete Angabe: '--bogus'." info --games 13 --rows full.prd --bogus)
  run_refused("Unbekannter Unterbefehl" frobnicate)
  run_refused("Bitte einen Unterbefehl angeben")

else()
  message(FATAL_ERROR "cli_test.cmake: unknown case '${CASE}'")
endif()
