# The demo medium's sound archives, built from audio made here at build time: synthesised music
# encoded as Ogg Vorbis and spoken lines encoded as Ogg Speex, packed with sndpack into
#   ${DEMO_MEDIUM_DIR}/music/music.snd    (theme.ogg, jingle.ogg)
#   ${DEMO_MEDIUM_DIR}/speech/speech.snd  (welcome.spx, goodbye.spx)
# Include it after setting DEMO_MEDIUM_DIR; the target demo_sounds builds both archives.
if(NOT DEMO_MEDIUM_DIR)
    message(FATAL_ERROR "sounds.cmake needs DEMO_MEDIUM_DIR")
endif()

foreach(tool sox oggenc speexenc espeak-ng)
    string(TOUPPER "${tool}" var)
    string(REPLACE "-" "_" var "DEMO_${var}")
    find_program(${var} ${tool})
    if(NOT ${var})
        message(FATAL_ERROR "The demo's sounds need ${tool} (scripts/install-deps.sh installs it)")
    endif()
endforeach()

set(demo_sound_work ${CMAKE_CURRENT_BINARY_DIR}/sounds)
file(MAKE_DIRECTORY ${demo_sound_work})

# sox's -R and oggenc's fixed serial make every build's sounds the same, so that the Linux and
# Windows builds' media decode to the same WAVE files.
# demo_music(<name> <sox synth arguments>...): a short stereo piece, encoded with oggenc.
function(demo_music name)
    set(wav ${demo_sound_work}/${name}-music.wav)
    add_custom_command(
        OUTPUT ${demo_sound_work}/${name}.ogg
        COMMAND ${DEMO_SOX} -R -q -n -r 22050 -c 2 -b 16 ${wav} ${ARGN}
        COMMAND ${DEMO_OGGENC} -Q -q 1 -s 1 -o ${demo_sound_work}/${name}.ogg ${wav}
        VERBATIM)
endfunction()

# demo_speech(<name> <text>): a spoken line, resampled to 16 kHz mono and encoded with speexenc.
function(demo_speech name text)
    set(raw ${demo_sound_work}/${name}-voice.wav)
    set(wav ${demo_sound_work}/${name}-16k.wav)
    add_custom_command(
        OUTPUT ${demo_sound_work}/${name}.spx
        COMMAND ${DEMO_ESPEAK_NG} -v en -s 150 -w ${raw} ${text}
        COMMAND ${DEMO_SOX} -R -q ${raw} -r 16000 -c 1 -b 16 ${wav}
        COMMAND ${DEMO_SPEEXENC} --quiet ${wav} ${demo_sound_work}/${name}.spx
        VERBATIM)
endfunction()

demo_music(theme synth 3 pluck C4 pluck E4 pluck G4 fade 0 3 0.8 vol 0.6)
demo_music(jingle synth 0.4 sine 523 sine 784 : synth 0.4 sine 659 sine 988 : synth 0.8 sine 784 sine 1175 fade 0 0.8 0.3 vol 0.5)
demo_speech(welcome "Welcome to the demo installation.")
demo_speech(goodbye "The installation is complete. Have fun.")

# demo_archive(<folder> <archive name> <records>...): packs records into the medium's folder.
function(demo_archive folder archive)
    set(records)
    foreach(record ${ARGN})
        list(APPEND records ${demo_sound_work}/${record})
    endforeach()
    set(output ${DEMO_MEDIUM_DIR}/${folder}/${archive})
    add_custom_command(
        OUTPUT ${output}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${DEMO_MEDIUM_DIR}/${folder}
        # The target's name (not its file) lets a cross build run it through its emulator.
        COMMAND sndpack pack ${output} ${records}
        DEPENDS sndpack ${records}
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY DEMO_SOUND_ARCHIVES ${output})
endfunction()

demo_archive(music music.snd theme.ogg jingle.ogg)
demo_archive(speech speech.snd welcome.spx goodbye.spx)

get_property(demo_sound_archives GLOBAL PROPERTY DEMO_SOUND_ARCHIVES)
add_custom_target(demo_sounds ALL DEPENDS ${demo_sound_archives})
