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

# A plan file of one game per entry, each entry the allowed signs ("102", "1", ...).
function(write_plan file)
  string(REPEAT "\\000" 77 reserved)
  set(plan "")
  foreach(signs IN LISTS ARGN)
    string(APPEND plan "${reserved}")
    foreach(pair 0:3 1:5 2:1)
      string(REPLACE ":" ";" pair "${pair}")
      list(GET pair 0 sign)
      list(GET pair 1 tendency)
      string(FIND "${signs}" "${sign}" tipped)
      if(tipped EQUAL -1)
        set(tendency 0)
      endif()
      string(APPEND plan "\\00${sign}\\00${tendency}")
    endforeach()
    string(APPEND plan "\\000")
  endforeach()
  write_bytes(${file} "${plan}")
endfunction()

# The first row of a row file as a result text of sign digits.
function(first_row_text file var)
  file(READ "${WORK}/${file}" hex HEX LIMIT ${games})
  string(REGEX REPLACE "0([0-2])" "\\1" text "${hex}")
  set(${var} "${text}" PARENT_SCOPE)
endfunction()

# A non-negative JSON number in thousandths, cut after the third decimal.
function(thousandths number var)
  if(NOT number MATCHES "^([0-9]+)(\\.([0-9]*))?$")
    check("'${number}' is no plain decimal number")
  endif()
  string(SUBSTRING "${CMAKE_MATCH_3}000" 0 3 fraction)
  math(EXPR value "${CMAKE_MATCH_1} * 1000 + 1${fraction} - 1000")
  set(${var} ${value} PARENT_SCOPE)
endfunction()

# Fails unless the last call was refused as a wrong call (exit 2).
function(expect_usage_error what)
  if(NOT rc EQUAL 2)
    check("${what}: a wrong call, exit 2 expected")
  endif()
endfunction()

# A copy of the bundled plan without its filter files: every row of the full system passes.
set(bare "${WORK}/bare/week.ttd")
file(MAKE_DIRECTORY "${WORK}/bare")
file(COPY_FILE "${WEEK}" "${bare}")

# The rows of a row file as a sorted list of hex strings, one per row.
function(sorted_rows file var)
  file(READ "${WORK}/${file}" hex HEX)
  math(EXPR digits "${games} * 2")
  string(REPEAT "[0-9a-f]" ${digits} row_pattern)
  string(REGEX MATCHALL "${row_pattern}" rows "${hex}")
  list(SORT rows)
  set(${var} "${rows}" PARENT_SCOPE)
endfunction()

function(row_count file var)
  file(SIZE "${WORK}/${file}" size)
  math(EXPR rows "${size} / ${games}")
  set(${var} ${rows} PARENT_SCOPE)
endfunction()

# The bytes of the bundled week's file with the given extension, in hex or as numbers.
function(week_hex extension var)
  cmake_path(GET WEEK PARENT_PATH data)
  file(GLOB path "${data}/*.${extension}")
  file(READ "${path}" hex HEX)
  set(${var} "${hex}" PARENT_SCOPE)
endfunction()

function(week_bytes extension var)
  week_hex(${extension} hex)
  string(REGEX MATCHALL ".." pairs "${hex}")
  set(bytes "")
  foreach(pair IN LISTS pairs)
    math(EXPR byte "0x${pair}")
    list(APPEND bytes ${byte})
  endforeach()
  set(${var} "${bytes}" PARENT_SCOPE)
endfunction()

# A copy of the bundled week in WORK/dir whose filter value file holds the given hex bytes.
function(copy_week dir bld_hex)
  cmake_path(GET WEEK PARENT_PATH data)
  file(GLOB files "${data}/*")
  file(COPY ${files} DESTINATION "${WORK}/${dir}")
  file(GLOB bld RELATIVE "${WORK}" "${WORK}/${dir}/*.bld")
  string(REGEX REPLACE "(..)" "\\\\x\\1" escapes "${bld_hex}")
  write_bytes(${bld} "${escapes}")
endfunction()

# Compares fields of a record in show's JSON (at json_path) with the bytes of the record that
# starts at `base`. Each entry is field:offset; orNext, orSecond and active are flags, which must
# be true exactly for a non-zero byte.
function(expect_fields json_path bytes base)
  foreach(entry IN LISTS ARGN)
    string(REPLACE ":" ";" entry "${entry}")
    list(GET entry 0 field)
    list(GET entry 1 offset)
    math(EXPR at "${base} + ${offset}")
    list(GET bytes ${at} byte)
    string(JSON value GET "${json}" ${json_path} ${field})
    # A flag's bracket and the byte's yield 1 or 0 each.
    if((field MATCHES "^(or|active)" AND (value) EQUAL (byte EQUAL 0))
       OR (NOT field MATCHES "^(or|active)" AND NOT value EQUAL byte))
      check("show --json: ${json_path} ${field} is ${value}, the file holds ${byte}")
    endif()
  endforeach()
endfunction()

# ---------------------------------------------------------------------------------------------
# Streamed answers and memory shortage (cases "answers" and "memory").

# Rows of `games` games: row r has the sign (r / 7 + game * (r % 5 + 1)) mod 3 in game g (from
# 0), so the rows differ from each other in changing ways.
function(write_pattern_rows file rows_count)
  set(escapes "")
  math(EXPR last_row "${rows_count} - 1")
  math(EXPR last_game "${games} - 1")
  foreach(row RANGE ${last_row})
    foreach(game RANGE ${last_game})
      math(EXPR sign "(${row} / 7 + ${game} * (${row} % 5 + 1)) % 3")
      string(APPEND escapes "\\00${sign}")
    endforeach()
  endforeach()
  write_bytes(${file} "${escapes}")
endfunction()

# Runs velmora-cli with stdout into WORK/<name>.json and compares it byte for byte with
# fixtures/<name>.json.
macro(expect_answer name)
  execute_process(COMMAND "${CLI}" ${ARGN} WORKING_DIRECTORY "${WORK}"
                  RESULT_VARIABLE rc OUTPUT_FILE "${WORK}/${name}.json" ERROR_VARIABLE err)
  set(out "(in ${WORK}/${name}.json)")
  if(NOT rc EQUAL 0)
    check("should succeed: ${ARGN}")
  endif()
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${name}.json"
                          "${CMAKE_CURRENT_LIST_DIR}/fixtures/${name}.json"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    check("the answer ${name}.json differs from fixtures/${name}.json: ${ARGN}")
  endif()
endmacro()

# Runs velmora-cli with at most `kib` KiB of address space; stdout goes to WORK/limited.out.
macro(run_limited kib)
  file(REMOVE "${WORK}/out.prd" "${WORK}/out.prd.tmp")
  execute_process(COMMAND "${shell}" -c "ulimit -v ${kib} && exec \"$0\" \"$@\"" "${CLI}" ${ARGN}
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                  OUTPUT_FILE "${WORK}/limited.out" ERROR_VARIABLE err)
  file(SIZE "${WORK}/limited.out" out_size)
  set(out "(${out_size} bytes in ${WORK}/limited.out)")
endmacro()

set(memory_message "Fehler: Nicht genug Arbeitsspeicher. Es wurde keine Datei geschrieben.")

# Out of memory: exit 1, the German message alone, nothing on stdout, no output file.
function(expect_out_of_memory what)
  if(NOT rc EQUAL 1 OR NOT err STREQUAL "${memory_message}\n" OR NOT out_size EQUAL 0)
    check("${what}: out of memory, exit 1 with the German message and no answer expected")
  endif()
  if(EXISTS "${WORK}/out.prd" OR EXISTS "${WORK}/out.prd.tmp")
    check("${what}: out of memory, yet out.prd was written")
  endif()
endfunction()

# ---------------------------------------------------------------------------------------------

if(CASE STREQUAL "generate")
  # Without filter files the plan alone decides: the full system.
  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
  expect_contains("${out}" "Systemgröße: ${full_size} Reihen" "guarantee 0 keeps the full system")
  expect_rows(full.prd ${full_size})
  if(NOT err STREQUAL "")
    check("the full system covers every tip, no warning expected")
  endif()

  # The bundled week's filter files take rows away; guarantee 1 reduces what is left.
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out g0.prd)
  row_count(g0.prd filtered)
  if(filtered EQUAL 0 OR NOT filtered LESS full_size)
    check("the week's filters should keep some but not all of ${full_size} rows, kept ${filtered}")
  endif()
  expect_contains("${out}" "Systemgröße: ${filtered} Reihen" "guarantee 0 reports its rows")
  run_ok(generate --plan "${WEEK}" --guarantee 1 --out g1.prd)
  file(SIZE "${WORK}/g1.prd" size)
  math(EXPR rest "${size} % ${games}")
  math(EXPR rows "${size} / ${games}")
  if(NOT rest EQUAL 0 OR rows EQUAL 0 OR NOT rows LESS filtered)
    check("guarantee 1: ${size} bytes is no proper reduction of the ${filtered} filtered rows")
  endif()
  expect_contains("${out}" "Systemgröße: ${rows} Reihen" "guarantee 1 reports the rows written")
  message(STATUS "bundled week: guarantee 0 keeps ${filtered} rows, guarantee 1 ${rows}")

  # The optimised reduction keeps the guarantee, checked by the program itself, with fewer
  # rows than the fixed scan; the same seed and step limit give the same rows however busy
  # the machine is (the time limit is far beyond what the steps take).
  foreach(name a b)
    run_ok(generate --plan "${WEEK}" --guarantee 1 --optimised --seconds 600 --steps 20000
           --seed 7 --out opt_${name}.prd)
    expect_contains("${out}" "Garantie geprüft: alle ${filtered} Reihen abgedeckt"
                    "optimised generate")
    file(SHA256 "${WORK}/opt_${name}.prd" hash_opt_${name})
  endforeach()
  row_count(opt_a.prd optimised)
  if(optimised EQUAL 0 OR NOT optimised LESS rows)
    check("optimised: ${optimised} rows, fewer than the fixed scan's ${rows} expected")
  endif()
  if(NOT hash_opt_a STREQUAL hash_opt_b)
    check("optimised: the same seed must give the same rows")
  endif()
  message(STATUS "bundled week: guarantee 1 optimised ${optimised}")

  # The same seed draws the same rows, another seed others.
  foreach(run a:42 b:42 c:43)
    string(REPLACE ":" ";" run "${run}")
    list(GET run 0 name)
    list(GET run 1 seed)
    run_ok(generate --plan "${bare}" --count 100 --seed ${seed} --out count_${name}.prd)
    expect_rows(count_${name}.prd 100)
    file(SHA256 "${WORK}/count_${name}.prd" hash_${name})
  endforeach()
  if(NOT hash_a STREQUAL hash_b OR hash_a STREQUAL hash_c)
    check("count: the seed must decide the rows drawn")
  endif()

  math(EXPR beyond "${full_size} + 1")
  run_ok(generate --plan "${bare}" --count ${beyond} --out beyond.prd)
  expect_contains("${err}" "Warnung: Vorgegebene Zahl ist größer als Vollsystem" "count beyond")
  expect_rows(beyond.prd ${full_size})

  # One row holds one sign per game: every other tipped sign is reported missing.
  run_ok(generate --plan "${bare}" --count 1 --seed 5 --out one.prd)
  expect_rows(one.prd 1)
  string(REGEX MATCHALL "Spiel [0-9]+: Tipp [102] fehlt" missing "${err}")
  list(LENGTH missing count)
  if(NOT count EQUAL missing_with_one_row)
    check("count 1: ${missing_with_one_row} missing signs expected, ${count} reported")
  endif()

elseif(CASE STREQUAL "filter")
  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
  sorted_rows(full.prd all_rows)

  # Filtering the full system gives what generate builds under the same filters.
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out g0.prd)
  run_ok(filter --plan "${WEEK}" --rows full.prd --guarantee 0 --out f0.prd)
  row_count(f0.prd kept)
  expect_contains("${out}" "Systemgröße: ${kept} Reihen" "filter reports the rows written")
  sorted_rows(g0.prd generated)
  sorted_rows(f0.prd filtered)
  if(NOT generated STREQUAL filtered)
    check("filter --guarantee 0 keeps other rows than generate --guarantee 0")
  endif()
  # Filtering keeps the order of the rows, so the order-dependent reduction agrees too.
  run_ok(generate --plan "${WEEK}" --guarantee 1 --out g1.prd)
  run_ok(filter --plan "${WEEK}" --rows full.prd --guarantee 1 --out f1.prd)
  file(SHA256 "${WORK}/g1.prd" hash_g1)
  file(SHA256 "${WORK}/f1.prd" hash_f1)
  if(NOT hash_g1 STREQUAL hash_f1)
    check("filter --guarantee 1 differs from generate --guarantee 1")
  endif()

  run_ok(filter --plan "${WEEK}" --rows full.prd --guarantee 1 --optimised --seconds 1
         --out fo.prd)
  expect_contains("${out}" "Garantie geprüft: alle ${kept} Reihen abgedeckt" "optimised filter")

  # eliminate keeps exactly the rows filter drops: together they are the full system.
  run_ok(eliminate --plan "${WEEK}" --rows full.prd --out e.prd)
  row_count(e.prd dropped)
  expect_contains("${out}" "Systemgröße: ${dropped} Reihen" "eliminate reports the rows written")
  sorted_rows(e.prd eliminated)
  set(both ${filtered} ${eliminated})
  list(SORT both)
  if(kept EQUAL 0 OR dropped EQUAL 0 OR NOT both STREQUAL all_rows)
    check("filter (${kept}) and eliminate (${dropped}) do not split the ${full_size} rows")
  endif()
  # Rows that passed pass again; eliminating them leaves nothing.
  run_ok(filter --plan "${WEEK}" --rows f0.prd --guarantee 0 --out f0.prd)
  expect_rows(f0.prd ${kept})
  run_ok(eliminate --plan "${WEEK}" --rows f0.prd --out none.prd)
  expect_rows(none.prd 0)

  # The bundled percentage filter lets every row through; with its minimum raised to 60 it
  # bites. --required 0 then lets its rows through again: the same rows as the week whose
  # filter value file holds the odds record alone.
  cmake_path(GET WEEK FILENAME plan_name)
  week_hex(bld hex)
  string(SUBSTRING "${hex}" 0 712 odds_record)
  string(SUBSTRING "${hex}" 0 1384 head)
  string(SUBSTRING "${hex}" 1400 -1 tail)
  copy_week(strict "${head}0000000000004e40${tail}")
  copy_week(odds_only "${odds_record}")
  run_ok(filter --plan strict/${plan_name} --rows full.prd --guarantee 0 --out s.prd)
  row_count(s.prd strict)
  run_ok(filter --plan strict/${plan_name} --rows full.prd --guarantee 0 --required 0 --out r0.prd)
  row_count(r0.prd loose)
  run_ok(generate --plan strict/${plan_name} --guarantee 0 --required 0 --out gr0.prd)
  expect_rows(gr0.prd ${loose})
  run_ok(filter --plan odds_only/${plan_name} --rows full.prd --guarantee 0 --out o0.prd)
  sorted_rows(r0.prd without_chains)
  sorted_rows(o0.prd odds_only)
  if(NOT strict LESS loose OR NOT without_chains STREQUAL odds_only)
    check("--required 0: ${loose} rows, not the ${strict} with the chain or those without it")
  endif()

  # A random cut draws from the filtered rows only.
  run_ok(filter --plan "${WEEK}" --rows full.prd --count 10 --seed 7 --out c10.prd)
  expect_rows(c10.prd 10)
  sorted_rows(c10.prd drawn)
  foreach(row IN LISTS drawn)
    list(FIND filtered ${row} at)
    if(at EQUAL -1)
      check("filter --count drew the row ${row}, which fails the filters")
      break()
    endif()
  endforeach()

elseif(CASE STREQUAL "show")
  run_ok(show --plan "${WEEK}" --json)
  set(json "${out}")
  string(JSON json_games GET "${json}" games)
  string(JSON entries LENGTH "${json}" tips)
  if(NOT json_games EQUAL games OR NOT entries EQUAL games)
    check("show --json: games ${json_games}, ${entries} tip entries")
  endif()
  set(index 0)
  foreach(signs IN LISTS week_signs)
    foreach(sign 1 0 2)
      string(FIND "${signs}" "${sign}" tipped)
      string(JSON tendency GET "${json}" tips ${index} ${sign})
      # Tipped exactly when the tendency is positive (each bracket yields 1 or 0).
      if((tipped EQUAL -1) EQUAL (tendency GREATER 0))
        check("show --json: game ${index}+1, sign ${sign} has tendency ${tendency}")
      endif()
    endforeach()
    math(EXPR index "${index} + 1")
  endforeach()

  week_bytes(tzw bytes)
  expect_fields(signChange "${bytes}" 0 min1:0 max1:1 min2:2 max2:3 orSecond:4)

  # Sequence rules, 14 bytes: the pattern (9 for "*"), orNext, length, minCount, maxCount.
  week_bytes(seq bytes)
  list(LENGTH bytes size)
  math(EXPR rules "${size} / 14")
  string(JSON entries LENGTH "${json}" sequences)
  if(rules EQUAL 0 OR NOT entries EQUAL rules)
    check("show --json: ${entries} sequences, the file holds ${rules}")
  endif()
  math(EXPR last "${rules} - 1")
  foreach(rule RANGE ${last})
    math(EXPR base "${rule} * 14")
    expect_fields("sequences;${rule}" "${bytes}" ${base}
                  orNext:10 length:11 minCount:12 maxCount:13)
    math(EXPR at "${base} + 11")
    list(GET bytes ${at} length)
    math(EXPR end "${base} + ${length} - 1")
    set(pattern "")
    foreach(at RANGE ${base} ${end})
      list(GET bytes ${at} code)
      string(APPEND pattern "${code}")
    endforeach()
    string(REPLACE "9" "*" pattern "${pattern}")
    string(JSON value GET "${json}" sequences ${rule} pattern)
    if(NOT value STREQUAL pattern)
      check("show --json: sequence ${rule} is '${value}', the file holds '${pattern}'")
    endif()
  endforeach()

  # Block filters, 46 bytes: a mark per game and sign code, minHits, maxHits, orNext, maxRun.
  week_bytes(tfd bytes)
  list(LENGTH bytes size)
  math(EXPR blocks "${size} / 46")
  string(JSON entries LENGTH "${json}" blocks)
  if(blocks EQUAL 0 OR NOT entries EQUAL blocks)
    check("show --json: ${entries} blocks, the file holds ${blocks}")
  endif()
  math(EXPR last "${blocks} - 1")
  math(EXPR last_game "${games} - 1")
  foreach(block RANGE ${last})
    math(EXPR base "${block} * 46")
    expect_fields("blocks;${block}" "${bytes}" ${base} minHits:42 maxHits:43 orNext:44 maxRun:45)
    string(JSON marked_games LENGTH "${json}" blocks ${block} marks)
    if(NOT marked_games EQUAL games)
      check("show --json: block ${block} lists marks of ${marked_games} games")
    endif()
    foreach(game RANGE ${last_game})
      set(expected "")
      foreach(sign 1 0 2)
        math(EXPR at "${base} + 3 * ${game} + ${sign}")
        list(GET bytes ${at} mark)
        if(NOT mark EQUAL 0)
          string(APPEND expected ${sign})
        endif()
      endforeach()
      string(JSON listed GET "${json}" blocks ${block} marks ${game})
      string(REGEX REPLACE "[^0-9]" "" listed "${listed}")
      if(NOT listed STREQUAL expected)
        check("show --json: block ${block}, game ${game}+1 marks '${listed}', not '${expected}'")
      endif()
    endforeach()
  endforeach()

  # Filter values, 356 bytes, odds first: 14 x 3 doubles by game and sign code, the band,
  # active, orNext. A value is zero exactly when its eight bytes are.
  week_bytes(bld bytes)
  set(chains 0)
  foreach(record RANGE 5)
    set(path odds)
    if(record GREATER 0)
      math(EXPR filter "${record} - 1")
      set(path "percent;${filter}")
    endif()
    math(EXPR base "${record} * 356")
    expect_fields("${path}" "${bytes}" ${base} active:352 orNext:353)
    string(JSON values LENGTH "${json}" ${path} values)
    if(NOT values EQUAL games)
      check("show --json: ${path} lists values of ${values} games")
    endif()
    foreach(game RANGE ${last_game})
      foreach(sign 1 0 2)
        math(EXPR first "${base} + (${game} * 3 + ${sign}) * 8")
        list(SUBLIST bytes ${first} 8 stored)
        string(JSON value GET "${json}" ${path} values ${game} ${sign})
        if((stored STREQUAL "0;0;0;0;0;0;0;0") EQUAL (NOT value MATCHES "^-?0(\\.0*)?$"))
          check("show --json: ${path}, game ${game}+1, sign ${sign} is ${value}, stored ${stored}")
        endif()
      endforeach()
    endforeach()
    math(EXPR at "${base} + 352")
    list(SUBLIST bytes ${at} 2 flags)
    if(record GREATER 0 AND NOT flags MATCHES "^0;" AND flags MATCHES ";0$")
      math(EXPR chains "${chains} + 1")
    endif()
  endforeach()
  string(JSON chain_count GET "${json}" chainCount)
  string(JSON required GET "${json}" requiredChains)
  if(NOT chain_count EQUAL chains OR NOT required EQUAL chains)
    check("show --json: chainCount ${chain_count}, requiredChains ${required}, ${chains} expected")
  endif()

  # Without filter files nothing restricts, and none is created.
  run_ok(show --plan "${bare}" --json)
  string(JSON blocks LENGTH "${out}" blocks)
  string(JSON rules LENGTH "${out}" sequences)
  string(JSON chain_count GET "${out}" chainCount)
  file(GLOB created "${WORK}/bare/*")
  if(NOT blocks EQUAL 0 OR NOT rules EQUAL 0 OR NOT chain_count EQUAL 0
     OR NOT created STREQUAL bare)
    check("show without filter files: ${blocks} blocks, ${rules} rules, ${chain_count} chains")
  endif()

  run_ok(show --plan "${WEEK}")
  expect_contains("${out}" "Spiele: ${games}" "show as text")
  expect_contains("${out}" "Prozentfilter: " "show as text")

elseif(CASE STREQUAL "reduce")
  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
  run_ok(generate --plan "${bare}" --guarantee 2 --out g2.prd)

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
  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
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
  run_refused("Die Option --optimised gilt nur zusammen mit --guarantee."
              generate --plan "${WEEK}" --count 10 --optimised --out out.prd)
  run_refused("Die Option --seconds gilt nur zusammen mit --optimised."
              generate --plan "${WEEK}" --guarantee 1 --seconds 5 --out out.prd)
  run_refused("Die Rechenzeit muss eine Zahl von Sekunden"
              filter --plan "${WEEK}" --rows x.prd --guarantee 1 --optimised --seconds 0
              --out out.prd)
  run_refused("Die Option --steps gilt nur zusammen mit --optimised."
              generate --plan "${WEEK}" --guarantee 1 --steps 5 --out out.prd)
  run_refused("Die Zahl der Suchschritte muss eine ganze Zahl ab 1 sein."
              generate --plan "${WEEK}" --guarantee 1 --optimised --steps 0 --out out.prd)

  # Writing the rows over the plan would destroy it.
  file(COPY_FILE "${WEEK}" "${WORK}/week.ttd")
  run_refused("ist die Tippplandatei selbst" generate --plan week.ttd --guarantee 0 --out week.ttd)
  file(SHA256 "${WEEK}" original)
  file(SHA256 "${WORK}/week.ttd" kept)
  if(NOT kept STREQUAL original)
    check("the refused call changed the plan file")
  endif()

  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
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

  # --required lies between 0 and the number of the week's percentage chains.
  run_ok(show --plan "${WEEK}" --json)
  string(JSON chains GET "${out}" chainCount)
  math(EXPR too_many "${chains} + 1")
  set(required_rule
      "Die Zahl der zu erfüllenden Prozentfilterketten muss zwischen 0 und ${chains} liegen")
  foreach(call "generate;--guarantee;0;--required;${too_many}"
               "filter;--rows;full.prd;--guarantee;0;--required;-1"
               "eliminate;--rows;full.prd;--required;x")
    run_refused("${required_rule}" ${call} --plan "${WEEK}" --out out.prd)
    if(NOT rc EQUAL 2)
      check("a --required out of range is a wrong call: exit 2")
    endif()
  endforeach()

  # A damaged filter file refuses the whole week: exit 1, a German message, no rows written.
  string(REPEAT "\\000" 7 seven)
  set(damages seq_size seq_length tfd_size bld_size)
  set(seq_size week.seq "${seven}${seven}\\000"
      "Die Sequenzdatei ist beschädigt: ihre Größe von 15")
  set(seq_length week.seq "\\001\\000\\002${seven}\\000\\014\\000\\001"
      "Die Sequenzdatei ist beschädigt: Sequenz 1 hat keine Länge von 1 bis 8")
  set(tfd_size WEEK.TFD "${seven}${seven}" "Die Blockfilterdatei ist beschädigt")
  set(bld_size week.BLD "${seven}" "Die Filterwertdatei ist beschädigt")
  foreach(damage IN LISTS damages)
    list(GET ${damage} 0 name)
    list(GET ${damage} 1 bytes)
    list(GET ${damage} 2 message)
    file(MAKE_DIRECTORY "${WORK}/${damage}")
    file(COPY_FILE "${WEEK}" "${WORK}/${damage}/week.ttd")
    write_bytes(${damage}/${name} "${bytes}")
    foreach(call "generate;--guarantee;0;--out;${damage}/out.prd"
                 "filter;--rows;full.prd;--count;5;--seed;1;--out;${damage}/out.prd"
                 "eliminate;--rows;full.prd;--out;${damage}/out.prd"
                 "show;--json")
      run_refused("${message}" ${call} --plan ${damage}/week.ttd)
      if(NOT rc EQUAL 1)
        check("a damaged filter file is a data error: exit 1")
      endif()
    endforeach()
    if(EXISTS "${WORK}/${damage}/out.prd")
      check("${damage}: a refused call wrote out.prd")
    endif()
  endforeach()

  # Nor may rows replace a filter file, also not under a name differing only in case, which
  # would be taken for the filter file next time.
  file(MAKE_DIRECTORY "${WORK}/guard")
  file(COPY_FILE "${WEEK}" "${WORK}/guard/week.ttd")
  cmake_path(GET WEEK PARENT_PATH data)
  file(GLOB seq "${data}/*.seq")
  file(COPY_FILE "${seq}" "${WORK}/guard/week.seq")
  foreach(target week.seq WEEK.SEQ)
    run_refused("ist eine Filterdatei der Woche"
                generate --plan guard/week.ttd --guarantee 0 --out guard/${target})
    run_refused("ist eine Filterdatei der Woche"
                filter --plan guard/week.ttd --rows full.prd --guarantee 0 --out guard/${target})
  endforeach()
  file(GLOB guarded RELATIVE "${WORK}/guard" "${WORK}/guard/*")
  file(SHA256 "${seq}" original)
  file(SHA256 "${WORK}/guard/week.seq" kept)
  if(NOT guarded STREQUAL "week.seq;week.ttd" OR NOT kept STREQUAL original)
    check("refused calls touched the guarded week: ${guarded}")
  endif()

  run_refused("Unerwartete Angabe: '--bogus'." info --games 13 --rows full.prd --bogus)
  run_refused("Unbekannter Unterbefehl" frobnicate)
  run_refused("Bitte einen Unterbefehl angeben")

elseif(CASE STREQUAL "evaluate")
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out g0.prd)
  row_count(g0.prd rows)
  first_row_text(g0.prd first)

  # The first row of the system as the result: it alone has no error (each row is there once),
  # every row is counted once, and the detail lines list the rows by their error count.
  run_ok(evaluate --plan "${WEEK}" --rows g0.prd --result ${first} --details)
  string(JSON complete GET "${out}" complete)
  string(JSON entries LENGTH "${out}" counters)
  string(JSON product_text TYPE "${out}" product_text)
  string(JSON failing LENGTH "${out}" failing_blocks)
  math(EXPR counters "${games} + 1")
  if(NOT complete OR NOT entries EQUAL counters OR NOT product_text STREQUAL "STRING")
    check("evaluate ${first}: complete ${complete}, ${entries} counters, text ${product_text}")
  endif()
  if(NOT failing EQUAL 0)
    check("evaluate: a row of the filtered system fails ${failing} blocks")
  endif()
  set(total 0)
  foreach(errors RANGE ${games})
    string(JSON count GET "${out}" counters ${errors})
    math(EXPR total "${total} + ${count}")
    if(errors LESS games)
      string(JSON lines LENGTH "${out}" details ${errors})
      if(NOT lines EQUAL count)
        check("evaluate: ${count} rows with ${errors} errors, ${lines} detail lines")
      endif()
    endif()
  endforeach()
  string(JSON exact GET "${out}" counters 0)
  if(NOT exact EQUAL 1 OR NOT total EQUAL rows)
    check("evaluate: ${exact} rows without error, ${total} counted of ${rows}")
  endif()
  # The row number takes the width of the row count, then the signs, each with a blank.
  string(REGEX REPLACE "(.)" "\\1 " signs "${first}")
  string(LENGTH "${rows}" width)
  math(EXPR blanks "${width} - 1")
  string(REPEAT " " ${blanks} indent)
  string(JSON line GET "${out}" details 0 0)
  if(NOT line STREQUAL "${indent}1: ${signs}")
    check("evaluate: detail line '${line}'")
  endif()

  # The week's one block asks for at least 7 of its marks; all "2" meets 4 of them.
  run_ok(evaluate --plan "${WEEK}" --rows g0.prd --result 2222222222222)
  string(JSON failing GET "${out}" failing_blocks)
  string(REGEX REPLACE "[][ \n]" "" failing "${failing}")
  if(NOT failing STREQUAL "1")
    check("evaluate 2222222222222: failing blocks '${failing}', block 1 expected")
  endif()

  # Unknown games are no errors; without a complete result there are no measures.
  string(REPEAT "?" ${games} unknown)
  run_ok(evaluate --plan "${WEEK}" --rows g0.prd --result ${unknown})
  string(JSON exact GET "${out}" counters 0)
  string(JSON complete GET "${out}" complete)
  foreach(key product means product_text mean_texts failing_blocks)
    string(JSON type TYPE "${out}" ${key})
    if(NOT type STREQUAL "NULL")
      check("evaluate ${unknown}: ${key} is ${type}, null expected")
    endif()
  endforeach()
  if(complete OR NOT exact EQUAL rows)
    check("evaluate ${unknown}: complete ${complete}, ${exact} of ${rows} rows without error")
  endif()

  string(SUBSTRING "${first}" 1 -1 short)
  run_refused("Das Ergebnis muss ${games} Zeichen haben" evaluate --plan "${WEEK}" --rows g0.prd
              --result ${short})
  expect_usage_error("result too short")
  run_refused("enthält ein ungültiges Zeichen" evaluate --plan "${WEEK}" --rows g0.prd
              --result 1x${short})
  expect_usage_error("result with a foreign sign")
  run_refused("Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein"
              evaluate --plan "${WEEK}" --rows g0.prd --result ${first} --per-slip 7)
  expect_usage_error("per-slip 7")

  # 11 games, 27 rows: the detail lines name slip and place, by --per-slip or else by the
  # seventh value of schein.dat in the program directory.
  set(games 11)
  write_plan(eleven.ttd 102 102 102 1 1 1 1 1 1 1 1)
  run_ok(generate --plan eleven.ttd --guarantee 0 --out eleven.prd)
  string(REPEAT "?" 11 unknown)
  file(MAKE_DIRECTORY "${WORK}/install")
  write_bytes(install/schein.dat "\\001\\000\\000\\000\\002\\000\\000\\000\\003\\000\\000\\000\\004\\000\\000\\000\\005\\000\\000\\000\\006\\000\\000\\000\\006\\000\\000\\000")
  foreach(choice "12;--per-slip;12" "8;--per-slip;8" "12" "6;installed")
    list(POP_FRONT choice per_slip)
    if(choice STREQUAL "installed")
      set(ENV{VELMORA_PATH} "${WORK}/install")
      set(choice "")
    endif()
    run_ok(evaluate --plan eleven.ttd --rows eleven.prd --result ${unknown} --details ${choice})
    unset(ENV{VELMORA_PATH})
    math(EXPR last "${per_slip} - 1")
    string(JSON last_line GET "${out}" details 0 ${last})
    string(JSON next_line GET "${out}" details 0 ${per_slip})
    if(NOT last_line MATCHES " S:1 R:${per_slip}$" OR NOT next_line MATCHES " S:2 R:1$")
      check("evaluate, ${per_slip} per slip: '${last_line}', '${next_line}'")
    endif()
  endforeach()
  set(games 13)

  # In a German locale the texts take the decimal comma; the JSON stays JSON.
  find_program(localedef localedef)
  if(localedef)
    file(MAKE_DIRECTORY "${WORK}/locale")
    execute_process(COMMAND "${localedef}" -i de_DE -f UTF-8 "${WORK}/locale/de_DE.UTF-8"
                    RESULT_VARIABLE made OUTPUT_QUIET ERROR_QUIET)
  endif()
  if(EXISTS "${WORK}/locale/de_DE.UTF-8")
    set(ENV{LOCPATH} "${WORK}/locale")
    set(ENV{LC_ALL} "de_DE.UTF-8")
    run_ok(evaluate --plan "${WEEK}" --rows g0.prd --result 1111111111111)
    unset(ENV{LOCPATH})
    unset(ENV{LC_ALL})
    string(JSON means LENGTH "${out}" means)
    string(JSON mean GET "${out}" means 0)
    string(JSON text GET "${out}" mean_texts 0)
    string(REPLACE "," "." point_text "${text}")
    thousandths(${mean} mean_part)
    thousandths(${point_text} text_part)
    math(EXPR gap "${mean_part} - ${text_part}")
    if(NOT means EQUAL 3 OR NOT text MATCHES "^[0-9]+,[0-9]+$" OR gap LESS -1 OR gap GREATER 1)
      check("evaluate in de_DE: mean ${mean} shown as '${text}'")
    endif()
  else()
    message(STATUS "no German locale to be made here: the decimal comma is not checked")
  endif()

elseif(CASE STREQUAL "wintable")
  # The whole full system against every outcome of the plan: each outcome is one row.
  run_ok(generate --plan "${bare}" --guarantee 0 --out full.prd)
  run_ok(wintable --plan "${bare}" --rows full.prd --no-options)
  string(JSON total GET "${out}" total)
  string(JSON patterns LENGTH "${out}" patterns)
  string(JSON top GET "${out}" percentage_texts 0)
  string(JSON fall_text GET "${out}" fall_text)
  string(JSON best GET "${out}" patterns 0 0)
  if(NOT total EQUAL full_size OR NOT patterns EQUAL 1 OR NOT best EQUAL 1 OR NOT top STREQUAL "100"
     OR NOT fall_text STREQUAL "Insgesamt ${full_size} Fälle.")
    check("wintable of the full system: ${total} outcomes, ${patterns} patterns, ${top} %")
  endif()

  # Five rows under the week's filters: the multiplicities share the outcomes out. A minimum
  # of one 2nd rank win adds rows until every outcome has a 1st or 2nd rank, so those two
  # classes make 100 %; the rows written are the rows after the run.
  run_ok(generate --plan "${bare}" --count 5 --seed 1 --out five.prd)
  foreach(minimum 0,0,0 1,0,0)
    run_ok(wintable --plan "${WEEK}" --rows five.prd --minimum ${minimum} --out after.prd)
    string(JSON total GET "${out}" total)
    # The sum of the multiplicities, each pattern's last number, in one expression.
    string(JSON patterns GET "${out}" patterns)
    string(REGEX REPLACE "[ \n]" "" patterns "${patterns}")
    string(REGEX REPLACE "\\[[0-9]+,[0-9]+,[0-9]+,[0-9]+,[0-9]+,([0-9]+)\\],?" "+\\1" sum
                         "${patterns}")
    string(REGEX REPLACE "[][]" "" sum "${sum}")
    math(EXPR sum "0${sum}")
    string(JSON added GET "${out}" rows_added)
    string(JSON after GET "${out}" rows)
    math(EXPR expected "5 + ${added}")
    if(total EQUAL 0 OR NOT sum EQUAL total OR NOT after EQUAL expected)
      check("wintable ${minimum}: ${sum} of ${total} outcomes, ${after} rows after adding ${added}")
    endif()
    expect_rows(after.prd ${after})
  endforeach()
  if(added EQUAL 0)
    check("wintable 1,0,0: five rows cannot give every outcome a 2nd rank, yet none was added")
  endif()
  set(share 0)
  foreach(class RANGE 4)
    string(JSON percentage GET "${out}" percentages ${class})
    thousandths(${percentage} part)
    math(EXPR share "${share} + ${part}")
  endforeach()
  if(share LESS 99990 OR share GREATER 100000)
    check("wintable 1,0,0: the classes make ${share} thousandths of a per cent")
  endif()
  # Counts only grow by added rows: the written rows need none.
  run_ok(wintable --plan "${WEEK}" --rows after.prd --minimum 1,0,0)
  string(JSON added GET "${out}" rows_added)
  if(NOT added EQUAL 0)
    check("wintable 1,0,0 repeated on its own rows added ${added} rows")
  endif()

  # Games 1, 4 and 8 have one sign only, so no outcome misses every main tip; all of them
  # right leaves the main-tip row alone.
  run_ok(wintable --plan "${WEEK}" --rows five.prd --main-tips 0)
  string(JSON total GET "${out}" total)
  string(JSON fall_text TYPE "${out}" fall_text)
  string(JSON patterns LENGTH "${out}" patterns)
  if(NOT total EQUAL 0 OR NOT fall_text STREQUAL "NULL" OR NOT patterns EQUAL 0)
    check("wintable --main-tips 0: ${total} outcomes, fall_text ${fall_text}")
  endif()
  run_ok(wintable --plan "${WEEK}" --rows five.prd --main-tips ${games})
  string(JSON total GET "${out}" total)
  if(NOT total EQUAL 1)
    check("wintable --main-tips ${games}: ${total} outcomes, only the main-tip row expected")
  endif()

  foreach(call "--main-tips;14" "--minimum;1,0" "--minimum;1,0,-1" "--minimum;1,,0")
    run_refused("" wintable --plan "${WEEK}" --rows five.prd ${call})
    expect_usage_error("wintable ${call}")
  endforeach()
  file(COPY_FILE "${WEEK}" "${WORK}/week.ttd")
  run_refused("ist die Tippplandatei selbst"
              wintable --plan week.ttd --rows five.prd --minimum 1,0,0 --out week.ttd)
  file(SHA256 "${WEEK}" original)
  file(SHA256 "${WORK}/week.ttd" kept)
  if(NOT kept STREQUAL original)
    check("the refused wintable call changed the plan file")
  endif()
  write_plan(untipped.ttd 1 1 1 1 "" 1 1 1 1 1 1 1 1)
  run_refused("(ohne Tipp: Spiel 5)" wintable --plan untipped.ttd --rows five.prd)

elseif(CASE STREQUAL "slips")
  # 120 rows of 11 games: rows 0-59 start with sign 0, 60-99 with 1, 100-119 with 2, and each
  # further game shifts the sign by one.
  set(games 11)
  set(escapes "")
  foreach(row RANGE 119)
    set(base 2)
    if(row LESS 60)
      set(base 0)
    elseif(row LESS 100)
      set(base 1)
    endif()
    foreach(game RANGE 10)
      math(EXPR sign "(${base} + ${game}) % 3")
      string(APPEND escapes "\\00${sign}")
    endforeach()
  endforeach()
  write_bytes(rows.prd "${escapes}")

  # Ten slips of 12: nine on the first page (9 x 12 x 11 digits), the last 12 rows on a second
  # one, again from the first slip's place. Row 12 opens the second slip of the band.
  run_ok(slips --games 11 --rows rows.prd --per-slip 12)
  string(JSON pages LENGTH "${out}" documents)
  string(JSON first_page LENGTH "${out}" documents 0)
  string(JSON second_page LENGTH "${out}" documents 1)
  string(JSON first GET "${out}" documents 0 0)
  string(JSON row12 GET "${out}" documents 0 132)
  string(JSON row108 GET "${out}" documents 1 0)
  string(REGEX REPLACE "[][ \n\"]" "" first "${first}")
  string(REGEX REPLACE "[][ \n\"]" "" row12 "${row12}")
  string(REGEX REPLACE "[][ \n\"]" "" row108 "${row108}")
  if(NOT pages EQUAL 2 OR NOT first_page EQUAL 1188 OR NOT second_page EQUAL 132
     OR NOT first STREQUAL "150,-250,0" OR NOT row12 STREQUAL "810,-250,0"
     OR NOT row108 STREQUAL "150,-250,2")
    check("slips: ${pages} pages of ${first_page} and ${second_page} calls, ${first}, ${row12}, ${row108}")
  endif()

  file(WRITE "${WORK}/empty.prd" "")
  run_ok(slips --games 14 --rows empty.prd --per-slip 6)
  string(JSON pages LENGTH "${out}" documents)
  if(NOT pages EQUAL 0)
    check("slips of an empty system: ${pages} pages")
  endif()
  run_refused("Die Reihenzahl je Schein muss 6, 8, 10 oder 12 sein"
              slips --games 11 --rows rows.prd --per-slip 9)
  expect_usage_error("slips --per-slip 9")
  run_refused("Die Option --per-slip fehlt" slips --games 11 --rows rows.prd)
  run_refused("passt nicht zu 13 Spielen" slips --games 13 --rows rows.prd --per-slip 12)

  # The counts by sign code: game g (from 0) has 60 rows of sign g mod 3, 40 of the next
  # sign and 20 of the one after.
  run_ok(distribution --games 11 --rows rows.prd)
  string(JSON entries LENGTH "${out}" counts)
  if(NOT entries EQUAL 11)
    check("distribution: ${entries} games")
  endif()
  foreach(game RANGE 10)
    foreach(step 0:60 1:40 2:20)
      string(REPLACE ":" ";" step "${step}")
      list(GET step 0 shift)
      list(GET step 1 expected)
      math(EXPR sign "(${game} + ${shift}) % 3")
      string(JSON count GET "${out}" counts ${game} ${sign})
      if(NOT count EQUAL expected)
        check("distribution: game ${game}+1, sign ${sign}: ${count}, ${expected} expected")
      endif()
    endforeach()
  endforeach()
  run_refused("passt nicht zu 14 Spielen" distribution --games 14 --rows rows.prd)

elseif(CASE STREQUAL "answers")
  # The answers are read by scripts: every sub-command with a JSON answer prints exactly the
  # text of fixtures/, whether the answer is small or passed on in pieces. The fixtures were
  # printed by the version that built each answer as a JSON tree in memory and dumped it. The
  # decimal point stays the C locale's.
  set(ENV{LC_ALL} C)
  expect_answer(show_week show --plan "${WEEK}" --json)

  write_pattern_rows(rows13.prd 40)
  expect_answer(info_rows13 info --games 13 --rows rows13.prd --json)
  expect_answer(distribution_rows13 distribution --games 13 --rows rows13.prd)
  # Measures, a failing block and detail lines; an incomplete result has nulls instead.
  expect_answer(evaluate_week evaluate --plan "${WEEK}" --rows rows13.prd --result 2222222222222
                --details)
  expect_answer(evaluate_unknown evaluate --plan "${WEEK}" --rows rows13.prd
                --result 1?2??????????)
  # Percentage texts, patterns, and "Fälle", a string that is not plain ASCII.
  expect_answer(wintable_week wintable --plan "${WEEK}" --rows rows13.prd)

  set(games 11)
  write_plan(eleven.ttd 102 102 102 1 1 1 1 1 1 1 1)
  write_pattern_rows(rows11.prd 120)
  expect_answer(evaluate_eleven evaluate --plan eleven.ttd --rows rows11.prd
                --result 1?21?0?2?1? --details --per-slip 8)
  # 20 slips of six rows on three pages, more text than one piece of output.
  expect_answer(slips_eleven slips --games 11 --rows rows11.prd --per-slip 6)
  file(WRITE "${WORK}/empty.prd" "")
  expect_answer(slips_empty slips --games 11 --rows empty.prd --per-slip 12)
  set(games 13)

  # A full disk is a failure, not an answer.
  if(EXISTS /dev/full)
    execute_process(COMMAND "${CLI}" slips --games 11 --rows rows11.prd --per-slip 6
                    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc OUTPUT_FILE /dev/full
                    ERROR_VARIABLE err)
    set(out "")
    if(NOT rc EQUAL 1)
      check("slips into a full disk: exit 1 expected")
    endif()
    expect_contains("${err}" "Fehler: Die Ausgabe konnte nicht vollständig geschrieben werden."
                    "slips into a full disk")
  endif()

elseif(CASE STREQUAL "memory")
  # Running out of memory ends every sub-command with the German message and exit 1, without
  # an answer and without an output file; it never aborts. Address-space limits do not work
  # under the address sanitizer, and need a POSIX shell.
  find_program(shell sh)
  if(SANITIZE OR NOT shell)
    message(STATUS "memory: skipped (sanitizer build or no POSIX shell)")
    return()
  endif()
  set(ENV{LC_ALL} C)
  set(limit 16384)
  set(games 14)
  write_plan(all14.ttd 102 102 102 102 102 102 102 102 102 102 102 102 102 102)
  # The limit leaves room for the program and a small answer; a machine whose libraries need
  # more cannot run this case.
  write_pattern_rows(small.prd 300)
  run_limited(${limit} info --games 14 --rows small.prd --json)
  if(NOT rc EQUAL 0)
    message(STATUS "memory: skipped, ${limit} KiB do not suffice here even for a small answer")
    return()
  endif()

  # 2,400,000 rows of zeros (sign 0): 33.6 MB, twice the limit. Reading them fails before
  # anything is written.
  execute_process(COMMAND dd if=/dev/zero of=big.prd bs=14000 count=2400
                  WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE made OUTPUT_QUIET ERROR_QUIET)
  if(NOT made EQUAL 0)
    message(FATAL_ERROR "dd failed: ${made}")
  endif()
  string(REPEAT "0" 14 zeros)
  foreach(call "info;--games;14;--rows;big.prd;--json"
               "distribution;--games;14;--rows;big.prd"
               "slips;--games;14;--rows;big.prd;--per-slip;12"
               "evaluate;--plan;all14.ttd;--rows;big.prd;--result;${zeros};--details"
               "wintable;--plan;all14.ttd;--rows;big.prd;--out;out.prd"
               "filter;--plan;all14.ttd;--rows;big.prd;--guarantee;0;--out;out.prd"
               "reduce;--games;14;--rows;big.prd;--guarantee;1;--out;out.prd")
    run_limited(${limit} ${call})
    expect_out_of_memory("${call}")
  endforeach()
  file(REMOVE "${WORK}/big.prd")

  # The plan fits, but not the 4,782,969 rows of its full system, nor the win table's tables
  # over every possible row: the shortage comes after reading, still before anything is
  # written.
  foreach(call "generate;--plan;all14.ttd;--guarantee;0;--out;out.prd"
               "wintable;--plan;all14.ttd;--rows;small.prd;--out;out.prd")
    run_limited(${limit} ${call})
    expect_out_of_memory("${call}")
  endforeach()

  # Long answers of rows that fit, under a range of limits: slips and detail lines either come
  # whole or end as above; never an abort, never a cut answer.
  set(games 11)
  write_plan(eleven.ttd 102 102 102 102 102 102 102 102 102 102 102)
  foreach(count 6 100)
    execute_process(COMMAND dd if=/dev/zero of=zeros${count}k.prd bs=11000 count=${count}
                    WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE made OUTPUT_QUIET ERROR_QUIET)
    if(NOT made EQUAL 0)
      message(FATAL_ERROR "dd failed: ${made}")
    endif()
  endforeach()
  string(REPEAT "?" 11 unknown)
  foreach(call "slips;--games;11;--rows;zeros6k.prd;--per-slip;12"
               "evaluate;--plan;eleven.ttd;--rows;zeros100k.prd;--result;${unknown};--details")
    execute_process(COMMAND "${CLI}" ${call} WORKING_DIRECTORY "${WORK}" RESULT_VARIABLE rc
                    OUTPUT_FILE "${WORK}/complete.out" ERROR_VARIABLE err)
    file(SHA256 "${WORK}/complete.out" complete)
    if(NOT rc EQUAL 0)
      check("should succeed without a limit: ${call}")
    endif()
    foreach(kib RANGE 8192 32768 4096)
      run_limited(${kib} ${call})
      file(SHA256 "${WORK}/limited.out" limited)
      if(rc EQUAL 0)
        if(NOT limited STREQUAL complete OR NOT err STREQUAL "")
          check("${call} in ${kib} KiB: exit 0 with another answer than without a limit")
        endif()
      else()
        expect_out_of_memory("${call} in ${kib} KiB")
      endif()
    endforeach()
  endforeach()
  file(REMOVE "${WORK}/limited.out" "${WORK}/complete.out")
# End of the streamed answers and memory shortage cases.
# ---------------------------------------------------------------------------------------------
# weekfiles: which files make up the week. A missing filter file restricts nothing and is not
# created; an empty filter value file, a member that cannot be read and names that fit several
# files refuse the week with a message naming the files.
elseif(CASE STREQUAL "weekfiles")
  run_ok(generate --plan "${bare}" --guarantee 0 --out bare.prd)
  expect_rows(bare.prd ${full_size})
  file(GLOB created RELATIVE "${WORK}/bare" "${WORK}/bare/*")
  if(NOT created STREQUAL "week.ttd")
    check("reading a week without filter files created files: ${created}")
  endif()
  run_ok(generate --plan "${WEEK}" --guarantee 0 --out week.prd)
  row_count(week.prd filtered)

  copy_week(empty "")
  run_refused("empty/aktuelleWoche.bld" generate --plan empty/AKTUELLEWOCHE.TTD --guarantee 0
              --out empty/out.prd)
  expect_contains("${err}" "leer" "an empty filter value file")

  cmake_path(GET WEEK PARENT_PATH data)
  file(GLOB week_files "${data}/*")
  foreach(kind dangling loop fifo)
    file(COPY ${week_files} DESTINATION "${WORK}/${kind}")
    set(member "${WORK}/${kind}/aktuellewoche.tfd")
    file(REMOVE "${member}")
    if(kind STREQUAL "dangling")
      file(CREATE_LINK nowhere.tfd "${member}" SYMBOLIC)
    elseif(kind STREQUAL "loop")
      file(CREATE_LINK aktuellewoche.tfd "${member}" SYMBOLIC)
    else()
      execute_process(COMMAND mkfifo "${member}" RESULT_VARIABLE made)
      if(NOT made EQUAL 0)
        message(FATAL_ERROR "mkfifo failed: ${made}")
      endif()
    endif()
    run_refused("${kind}/aktuellewoche.tfd" generate --plan ${kind}/AKTUELLEWOCHE.TTD
                --guarantee 0 --out ${kind}/out.prd)
  endforeach()
  foreach(dir empty dangling loop fifo)
    if(EXISTS "${WORK}/${dir}/out.prd")
      check("${dir}: a refused week wrote rows")
    endif()
  endforeach()

  # The exact name wins over one differing in case; of several such, none is picked.
  file(COPY ${week_files} DESTINATION "${WORK}/cases")
  file(WRITE "${WORK}/cases/AKTUELLEWOCHE.TFD" "")
  run_ok(generate --plan cases/aktuellewoche.ttd --guarantee 0 --out exact.prd)
  expect_rows(exact.prd ${filtered})
  run_refused("'AKTUELLEWOCHE.TFD' und 'aktuellewoche.tfd'"
              generate --plan cases/AKTUELLEWOCHE.TTD --guarantee 0 --out cases.prd)
# ---------------------------------------------------------------------------------------------

else()
  message(FATAL_ERROR "cli_test.cmake: unknown case '${CASE}'")
endif()
