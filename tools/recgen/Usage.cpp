#include "CommandLine.h"

namespace kyvo::recgen {

std::string usageText() {
    return R"(recgen: makes test and sample recordings of the in-car recorder

Usage:
  recgen [OPTIONS] [OUTPUT]             make one recording
  recgen card DIR [CARD OPTIONS]        fill DIR as a sample memory card
  recgen dump FILE [--scrambled KEY]    list a recording's boxes, telemetry and events
  recgen --help

A recording is a QuickTime .mov encoded by ffmpeg (moving test scene with the
clock time and the current speed burnt in, optional AAC hum), followed by a
"udat" telemetry box (one entry per ten frames: time, $GPRMC sentence, G-sensor
x/y/z in g with z about +1 g at rest) and, for event recordings, a 4-aligned
"EVTI" box of 256-byte event records.

OUTPUT is a file, or a folder (existing or ending in '/') that receives the
recorder's name: drf_|evt_|muevt_ + yyyymmdd_hhmmss + .mov (default: that name in
the current folder). A file name of that form sets the kind and the start time
unless --kind or --start say otherwise; a .mjpg name implies --mjpg.

Recording options:
  --kind normal|event|manual      kind of recording (default normal)
  --start "YYYY-MM-DD hh:mm:ss"   recorder clock at the first frame (default 2024-06-12 08:15:00)
  --length SECONDS                1..3600 (default 10)
  --size WxH                      picture size (default 640x360)
  --rate FPS                      frames per second (default 30)
  --codec h264|mjpeg|mpeg4|h265   picture codec (default h264, a keyframe every 30 frames)
  --preset NAME                   x264/x265 speed preset (default veryfast; ultrafast for a card)
  --no-audio                      no sound track (default: AAC, a quiet engine hum)
  --frame-code                    the frame's number (0 first) burnt in as 12 blocks at mid-height from
                                  the left edge, bit 0 first: white set, black clear
  --seed N                        seed of the synthetic drive (default 1)
  --lat DEG  --lon DEG            start of the drive (default 25.0583 121.5640)
  --route-offset SECONDS          start this far into the drive (default 0)
  --utc-offset HOURS              recorder clock minus UTC, for the GPS time (default 0)
  --time-tag TIME|RTCD            tag of every telemetry entry (default TIME)
  --events N                      event records (default 1 for event and manual kinds, else 0)
  --scrambled KEY                 scrambled variant: the first box's size and type words
                                  are XORed with the 32-bit KEY (decimal or 0x hex, not 0)
  --rear file|track|none          a rear camera's picture ("testsrc" scene captioned REAR, with the
                                  clock and the frame code when asked): a file of the recording's name
                                  with "_R" before the extension, scrambled like it, or a second
                                  picture track of the recording (default none)
  --rear-size WxH                 the rear picture's size (default: the front's)
  --mjpg                          picture-only variant: .mjpg name, MJPEG in a .mov
                                  container, no sound, no telemetry or event boxes
  --ffmpeg PROGRAM                encoder (default ffmpeg, looked up on PATH)

Card options (besides --start --size --rate --codec --preset --no-audio --frame-code --seed
--lat --lon --route-offset --utc-offset --time-tag --scrambled --rear --rear-size --ffmpeg):
  --count-each N                  N recordings of each kind (default 3 normal, 2 event, 1 manual)
  --seconds-each S                length of each recording, at most 60 (default 30)
  --minutes-each M                the same in minutes, at most 1
  --force                         remake recordings that already exist (default: skip them)
  --jobs N                        recordings made at once (default 2)
  --trips N                       a card of N drives instead: normal recordings back to back (with the
                                  simulator's stops and lost fixes), the drives --trip-gap apart
  --pieces-per-trip M             recordings per drive (default 3)
  --trip-gap SECONDS              parked time between drives (default 600)
The card's recordings follow each other in time and continue one drive; a
picture-only .mjpg of at most 10 s closes the card.
)";
}

}  // namespace kyvo::recgen
