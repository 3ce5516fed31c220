// SPDX-License-Identifier: GPL-3.0-or-later
// Plays a verified result's game on its page with the game's own model, built to WebAssembly
// (stakkar-viewer.wasm): the replay file is checked and unpacked here, the model plays it to any moment of its
// time of play, and the well, the next figure and the counters are drawn with the game's built-in bitmaps.
// At x1 the game lasts as long as it was played. window.stakkarViewer lets a page's visitor, or a test, go to
// a moment by script as the bar does.
"use strict";

(() => {
    const root = document.getElementById("watch");
    if (!root) {
        return;
    }
    const columns = 10;
    const rows = 20;
    const cell = 20;
    const speeds = [1, 2, 4, 8];
    const step = 5000;
    // The looks the model gives a cell (core's tCellLook), and the bitmap each is drawn with.
    const looks = ["BlockFree", "BlockFix", "Block", "BlockShadow"];
    const messages = {2: "Pause", 3: "Game over", 4: "The game was given up"};
    const files = root.dataset.files;
    const version = root.dataset.version;
    const address = (name) => `${files}${name}?v=${version}`;
    const element = (id) => document.getElementById(id);
    const well = element("watch-well");
    const next = element("watch-next");
    const moment = element("watch-moment");
    const play = element("watch-play");

    let model = null;
    let end = 0;
    let time = 0;
    let speed = 1;
    let playing = false;
    // While playing: the moment of the game and of the page's clock that the playing started from.
    let fromTime = 0;
    let fromClock = 0;
    let drawn = "";
    let drawnNext = "";
    let sprites = null;
    // For the page's visitor and its benchmark: when the game could first be played, and the frames played.
    let readyAt = 0;
    let frames = 0;
    let wake = 0;

    async function fetchBytes(url) {
        const answer = await fetch(url);
        if (!answer.ok) {
            throw new Error(`${url} answered ${answer.status}`);
        }
        return new Uint8Array(await answer.arrayBuffer());
    }

    const crcTable = (() => {
        const table = new Uint32Array(256);
        for (let n = 0; n < 256; ++n) {
            let c = n;
            for (let k = 0; k < 8; ++k) {
                c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
            }
            table[n] = c >>> 0;
        }
        return table;
    })();

    function crc32(bytes) {
        let c = 0xffffffff;
        for (const b of bytes) {
            c = crcTable[(c ^ b) & 0xff] ^ (c >>> 8);
        }
        return (c ^ 0xffffffff) >>> 0;
    }

    // "STKR", the format, the payload in one zlib stream, and a CRC-32 of all before it, least byte first.
    async function unpack(file) {
        const magic = [0x53, 0x54, 0x4b, 0x52];
        if (file.length < 9 || magic.some((b, i) => file[i] !== b)) {
            throw new Error("The file is no replay of this game.");
        }
        const format = file[4];
        if (format !== 1 && format !== 2) {
            throw new Error(`The replay has format ${format}, which this viewer does not read.`);
        }
        const body = file.subarray(0, file.length - 4);
        const stored = new DataView(file.buffer, file.byteOffset + body.length, 4).getUint32(0, true);
        if (crc32(body) !== stored) {
            throw new Error("The replay is damaged: its checksum does not match.");
        }
        const stream = new Blob([body.subarray(5)]).stream().pipeThrough(new DecompressionStream("deflate"));
        return {timed: format === 2, payload: new Uint8Array(await new Response(stream).arrayBuffer())};
    }

    async function loadModel() {
        // The model asks the system for nothing but more memory and to stop, neither of which needs an answer.
        const none = new Proxy({}, {get: () => () => 0});
        const {instance} = await WebAssembly.instantiateStreaming(fetch(address("stakkar-viewer.wasm")), {
            env: none,
            wasi_snapshot_preview1: none,
        });
        instance.exports._initialize();
        return instance.exports;
    }

    // The bitmaps as the game draws them; the mark's pixels of the colour of its corner let the cell show through.
    async function loadSprite(name) {
        const bitmap = await createImageBitmap(new Blob([await fetchBytes(address(`${name}.bmp`))]));
        const canvas = document.createElement("canvas");
        canvas.width = cell;
        canvas.height = cell;
        const context = canvas.getContext("2d");
        context.drawImage(bitmap, 0, 0, cell, cell);
        if (name === "BlockShadow") {
            const image = context.getImageData(0, 0, cell, cell);
            const p = image.data;
            for (let i = 0; i < p.length; i += 4) {
                if (p[i] === p[0] && p[i + 1] === p[1] && p[i + 2] === p[2]) {
                    p[i + 3] = 0;
                }
            }
            context.putImageData(image, 0, 0);
        }
        return canvas;
    }

    function load(payload, timed) {
        const at = model.viewer_input(payload.length);
        new Uint8Array(model.memory.buffer, at, payload.length).set(payload);
        if (!model.viewer_load(timed ? 1 : 0)) {
            const text = new Uint8Array(model.memory.buffer, model.viewer_problem());
            throw new Error(new TextDecoder().decode(text.subarray(0, text.indexOf(0))));
        }
        end = model.viewer_end();
    }

    function clockText(ms) {
        const seconds = Math.floor(ms / 1000);
        return `${Math.floor(seconds / 60)}:${String(seconds % 60).padStart(2, "0")}`;
    }

    function setText(id, text) {
        const target = element(id);
        if (target.textContent !== text) {
            target.textContent = text;
        }
    }

    function drawCells(canvas, cells, width, height) {
        const context = canvas.getContext("2d");
        for (let row = 0; row < height; ++row) {
            for (let column = 0; column < width; ++column) {
                const look = cells[row * width + column];
                context.drawImage(sprites[0], column * cell, row * cell);
                if (look !== 0) {
                    context.drawImage(sprites[look], column * cell, row * cell);
                }
            }
        }
    }

    // Draws what changed since the frame before; the looks drawn last stay readable on the canvases.
    function show() {
        const memory = model.memory.buffer;
        const cells = new Uint8Array(memory, model.viewer_cells(), columns * rows);
        const looksNow = cells.join("");
        if (looksNow !== drawn) {
            drawCells(well, cells, columns, rows);
            drawn = looksNow;
            well.dataset.cells = looksNow;
        }
        const box = new Uint8Array(memory, model.viewer_next(), 16).map((b) => (b ? 2 : 0));
        const nextNow = box.join("");
        if (nextNow !== drawnNext) {
            drawCells(next, box, 4, 4);
            drawnNext = nextNow;
            next.dataset.cells = nextNow;
        }
        setText("watch-score", String(model.viewer_counter(0)));
        setText("watch-level", String(model.viewer_counter(1)));
        setText("watch-figures", String(model.viewer_counter(2)));
        setText("watch-rows", String(model.viewer_counter(3)));
        setText("watch-clock", clockText(time));
        setText("watch-message", messages[model.viewer_message()] || "");
        // The bar moves when its thumb would move a pixel or more: a bar redrawn every frame would cost more
        // than the whole game.
        if (Math.abs(Number(moment.value) - time) * moment.clientWidth >= end || time === 0 || time === end) {
            moment.value = String(Math.round(time));
        }
    }

    function seek(ms) {
        time = Math.max(0, Math.min(end, ms));
        model.viewer_seek(time);
        show();
        if (playing) {
            fromTime = time;
            fromClock = performance.now();
            clearTimeout(wake);
            sleep();
        }
    }

    // Between two steps of the game nothing but the clock's seconds change, so the page sleeps until the
    // earlier of the two and draws in the display's next frame: a frame every refresh would cost the
    // browser a third of a core for a game that moves a few times a second.
    function sleep() {
        const next = Math.min(model.viewer_due(), (Math.floor(time / 1000) + 1) * 1000, end);
        wake = setTimeout(() => requestAnimationFrame(frame), Math.max(0, (next - time) / speed));
    }

    function frame() {
        if (!playing) {
            return;
        }
        ++frames;
        time = Math.min(end, fromTime + (performance.now() - fromClock) * speed);
        model.viewer_seek(time);
        show();
        if (time >= end) {
            setPlaying(false);
            return;
        }
        sleep();
    }

    function setPlaying(on) {
        clearTimeout(wake);
        playing = on && end > 0;
        play.textContent = playing ? "Pause" : "Play";
        if (playing) {
            if (time >= end) {
                seek(0);
            }
            fromTime = time;
            fromClock = performance.now();
            requestAnimationFrame(frame);
        }
    }

    function setSpeed(to) {
        speed = to;
        if (playing) {
            fromTime = time;
            fromClock = performance.now();
            clearTimeout(wake);
            sleep();
        }
        for (const button of root.querySelectorAll("[data-speed]")) {
            button.setAttribute("aria-pressed", String(Number(button.dataset.speed) === speed));
        }
    }

    function changeSpeed(by) {
        const at = speeds.indexOf(speed) + by;
        setSpeed(speeds[Math.max(0, Math.min(speeds.length - 1, at))]);
    }

    function onKey(event) {
        if (event.altKey || event.ctrlKey || event.metaKey) {
            return;
        }
        const keys = {
            " ": () => setPlaying(!playing),
            ArrowLeft: () => seek(time - step),
            ArrowRight: () => seek(time + step),
            Home: () => seek(0),
            End: () => seek(end),
            "+": () => changeSpeed(1),
            "=": () => changeSpeed(1),
            "-": () => changeSpeed(-1),
        };
        const act = keys[event.key];
        if (act) {
            event.preventDefault();
            act();
        }
    }

    function wire() {
        play.addEventListener("click", () => setPlaying(!playing));
        for (const button of root.querySelectorAll("[data-speed]")) {
            button.addEventListener("click", () => setSpeed(Number(button.dataset.speed)));
        }
        moment.max = String(Math.ceil(end));
        moment.addEventListener("input", () => seek(Number(moment.value)));
        document.addEventListener("keydown", onKey);
    }

    async function start() {
        const [exports, file, loaded] = await Promise.all([
            loadModel(),
            fetchBytes(root.dataset.replay),
            Promise.all(looks.map(loadSprite)),
        ]);
        model = exports;
        sprites = loaded;
        const {timed, payload} = await unpack(file);
        load(payload, timed);
        wire();
        root.hidden = false;
        show();
        readyAt = performance.now();
    }

    const ready = start().then(
        () => true,
        (error) => {
            const problem = element("watch-problem");
            problem.textContent = `The game cannot be shown: ${error.message}`;
            problem.hidden = false;
            root.hidden = false;
            for (const part of root.querySelectorAll("canvas, button, input")) {
                part.hidden = true;
            }
            return false;
        });

    window.stakkarViewer = {
        ready,
        end: () => end,
        time: () => time,
        readyAt: () => readyAt,
        frames: () => frames,
        seek: (ms) => {
            seek(ms);
            return well.dataset.cells;
        },
    };
})();
