"use strict";
// The operator's console in a browser. One WebSocket to `kestrivon-console --web`: the console
// sends its whole state after every change and the game's reports as events; the page sends the
// operator's actions back. The console decides everything, down to the levels, doors and objects
// there are and why an action cannot be taken now: the page greys out each button its state
// refuses and builds the level, door and locate buttons from the first state.
(function () {
    const RETRY_FIRST_MS = 1000;
    const RETRY_LONGEST_MS = 5000;
    const ERROR_SHOWN_MS = 4000;
    const RX_FLASH_MS = 150;
    // A tap within this many cells of a door's centre toggles it: cells are small on a phone.
    const DOOR_REACH = 1.2;
    // On a large level's small cells, doors and the monster grow to stay readable (CSS pixels).
    const SMALLEST_DOOR = 14;
    const SMALLEST_OBJECT = 12;
    const SMALLEST_MONSTER = 22;

    const byId = (id) => document.getElementById(id);
    const body = document.body;
    const canvas = byId("plan");
    const wrap = byId("plan-wrap");
    const logList = byId("log");
    const toast = byId("toast");
    const strip = byId("link-strip");
    const levelButtons = byId("levels");
    const doorButtons = byId("doors");
    const locateButtons = byId("locate");

    const link = readLink(location.hash);
    let state = null;
    let socket = null;
    // "connecting", "reconnecting", "refused", or "" while the state is current.
    let linkState = "connecting";
    let retryMs = RETRY_FIRST_MS;
    let retryTimer = 0;
    let toastTimer = 0;
    let rxTimer = 0;
    let shownLog = [];
    // Where the last drawing put the plan, for taps: origin and cell size in CSS pixels.
    let layout = null;
    const colours = new Map();

    function readLink(hash) {
        const match = /^#(op|watch)=([0-9a-f]+)$/i.exec(hash);
        return match ? { role: match[1] === "op" ? "operator" : "watch", token: match[2] } : null;
    }

    // Connection: open, and after a drop try again with a growing pause.

    function connect() {
        clearTimeout(retryTimer);
        retryTimer = 0;
        const scheme = location.protocol === "https:" ? "wss:" : "ws:";
        const ws = new WebSocket(scheme + "//" + location.host + "/ws?token=" +
            encodeURIComponent(link.token));
        let opened = false;
        ws.onopen = () => {
            opened = true;
            retryMs = RETRY_FIRST_MS;
        };
        ws.onmessage = (message) => receive(message.data);
        ws.onclose = () => {
            if (socket === ws)
                socket = null;
            if (opened)
                lostLink();
            else
                checkRefused();
        };
        socket = ws;
    }

    function lostLink() {
        setLinkState("reconnecting", "RECONNECTING\u2026 the console will send everything again");
        retryTimer = setTimeout(connect, retryMs);
        retryMs = Math.min(retryMs * 2, RETRY_LONGEST_MS);
    }

    // A socket that never opened: when the page itself still loads, the server is there and
    // refused the key (a console makes new keys at every start); otherwise the network is down.
    function checkRefused() {
        fetch("index.html", { cache: "no-store" }).then(
            (response) => (response.ok ? refused() : lostLink()),
            () => lostLink());
    }

    function refused() {
        setLinkState("refused", "THIS LINK IS NOT ACCEPTED: the console prints new links at " +
            "every start; open the one it printed last");
    }

    function setLinkState(name, text) {
        body.classList.remove("connecting", "reconnecting", "refused");
        if (name)
            body.classList.add(name);
        linkState = name;
        strip.textContent = text || "";
        renderLamps();
        renderButtons();
    }

    function send(message) {
        if (socket && socket.readyState === WebSocket.OPEN)
            socket.send(JSON.stringify(message));
    }

    function receive(data) {
        let message;
        try {
            message = JSON.parse(data);
        } catch (error) {
            return;
        }
        if (message.type === "state") {
            state = message;
            buildControls();
            setLinkState("", "");
            render();
        } else if (message.type === "event") {
            byId("last-report").textContent = "\u25b8 " + message.line;
            flashRx();
        } else if (message.type === "error") {
            showError((message.action ? message.action + ": " : "") + message.message);
        } else if (message.type === "invite") {
            showInvitations(message.links);
        }
    }

    // The watch links the console drew for friends' phones: each code, with its link under it.
    function showInvitations(links) {
        const codes = byId("invite-codes");
        codes.replaceChildren(...links.map((link) => {
            const figure = document.createElement("figure");
            const code = document.createElement("img");
            code.src = "data:image/svg+xml;charset=utf-8," + encodeURIComponent(link.svg);
            code.alt = "QR code of " + link.url;
            const caption = document.createElement("figcaption");
            caption.textContent = link.url;
            figure.append(code, caption);
            return figure;
        }));
        byId("invite-button").hidden = links.length === 0;
    }

    function toggleInvitation(event) {
        // Not an action for the console: the click goes no further.
        event.stopPropagation();
        const panel = byId("invite");
        panel.hidden = !panel.hidden;
        byId("invite-button").setAttribute("aria-expanded", String(!panel.hidden));
    }

    // The button opens and closes the invitation; a tap on it closes it too.
    byId("invite-button").addEventListener("click", toggleInvitation);
    byId("invite").addEventListener("click", toggleInvitation);

    function showError(text) {
        toast.textContent = text;
        toast.classList.add("shown");
        clearTimeout(toastTimer);
        toastTimer = setTimeout(() => toast.classList.remove("shown"), ERROR_SHOWN_MS);
    }

    function flashRx() {
        const lamp = byId("lamp-rx");
        lamp.classList.add("flash");
        clearTimeout(rxTimer);
        rxTimer = setTimeout(() => lamp.classList.remove("flash"), RX_FLASH_MS);
    }

    // Actions: buttons, keys and taps on the plan all come here; a disabled control does nothing,
    // as in the operator window. A key with no button of its own (a digit past the doors) goes to
    // the console, which says why it refuses.

    function isOperator() {
        return link.role === "operator" && (!state || state.role === "operator");
    }

    function online() {
        return state !== null && linkState === "" && socket !== null &&
            socket.readyState === WebSocket.OPEN;
    }

    function controlFor(action) {
        switch (action.action) {
        case "select": return document.querySelector('[data-level="' + action.level + '"]');
        case "door": return document.querySelector('[data-door="' + action.door + '"]');
        case "locate": return document.querySelector('[data-object="' + action.object + '"]');
        default: return document.querySelector('[data-action="' + action.action + '"]');
        }
    }

    function perform(action) {
        const control = controlFor(action);
        if (!isOperator() || !online() || (control && control.disabled))
            return;
        send(action);
    }

    function actionOfButton(button) {
        if (button.dataset.level !== undefined)
            return { action: "select", level: Number(button.dataset.level) };
        if (button.dataset.door !== undefined)
            return { action: "door", door: Number(button.dataset.door) };
        if (button.dataset.object !== undefined)
            return { action: "locate", object: Number(button.dataset.object) };
        return { action: button.dataset.action };
    }

    // The operator window's keys: F1 and on for the levels, a digit for its door, Shift and a
    // digit to locate that object, Enter, S, K, P, E. The function keys past the levels stay the
    // browser's.
    function actionOfKey(event) {
        const level = /^F(\d+)$/.exec(event.key);
        if (level) {
            const index = Number(level[1]) - 1;
            return levelButtons.querySelector('[data-level="' + index + '"]')
                ? { action: "select", level: index } : null;
        }
        const digit = /^(Digit|Numpad)(\d)$/.exec(event.code);
        if (digit) {
            const number = Number(digit[2]);
            if (!event.shiftKey)
                return { action: "door", door: number };
            return digit[1] === "Digit" ? { action: "locate", object: number } : null;
        }
        const letters = { s: "scan", k: "shock", p: "power", e: "end", enter: "start" };
        const name = letters[event.key.toLowerCase()];
        return name ? { action: name } : null;
    }

    document.addEventListener("click", (event) => {
        const button = event.target.closest("button");
        if (button)
            perform(actionOfButton(button));
    });

    document.addEventListener("keydown", (event) => {
        if (event.ctrlKey || event.altKey || event.metaKey || event.repeat)
            return;
        // A focused button takes Enter and Space itself.
        if ((event.key === "Enter" || event.key === " ") && event.target.closest("button"))
            return;
        const action = actionOfKey(event);
        if (!action || !isOperator())
            return;
        event.preventDefault();
        perform(action);
    });

    canvas.addEventListener("click", (event) => {
        const door = doorNear(event.offsetX, event.offsetY);
        if (door)
            perform({ action: "door", door: door });
    });

    function doorNear(px, py) {
        if (!layout || !state || !state.plan)
            return 0;
        let best = 0;
        let bestDistance = DOOR_REACH;
        for (const door of state.plan.doors) {
            const dx = (px - layout.left) / layout.cell - (door.x + 0.5);
            const dy = (py - layout.top) / layout.cell - (door.y + 0.5);
            const distance = Math.hypot(dx, dy);
            if (distance < bestDistance && door.runs) {
                best = door.number;
                bestDistance = distance;
            }
        }
        return best;
    }

    // Showing the state.

    function render() {
        const playing = Boolean(state.playing);
        body.classList.toggle("watch", !isOperator());
        body.classList.toggle("playing", playing);
        body.classList.toggle("powerdown", Boolean(state.powerDown));

        byId("status").textContent = (state.gameLeft ? "game disconnected; " : "") + state.status;
        const banner = byId("banner");
        banner.textContent = state.powerDown ? "POWER DOWN" : state.result || "";
        banner.classList.toggle("shown", Boolean(state.powerDown || state.result));

        const level = state.levels[state.selected];
        byId("level-name").textContent = level ? level.name : "";
        for (const cost of document.querySelectorAll("[data-cost]"))
            cost.textContent = amount(state.costs[cost.dataset.cost]);
        renderLamps();
        renderButtons();
        renderLedger();
        renderLog();
        byId("note").textContent = note();
        drawPlan();
    }

    // The level, door and locate buttons, as many as the console has, once its first state is in.
    function buildControls() {
        if (levelButtons.childElementCount === 0) {
            for (const level of state.levels) {
                const key = "F" + (level.index + 1);
                levelButtons.append(control({ level: level.index }, key, key, level.name));
            }
        }
        if (doorButtons.childElementCount === 0) {
            for (let door = 1; door <= state.doorSlots; ++door)
                doorButtons.append(control({ door: door }, digitKey(door), "", String(door)));
        }
        if (locateButtons.childElementCount === 0) {
            for (const value of state.objectValues) {
                const key = digitKey(value) && "Shift+" + value;
                const button = control({ object: value }, key, key && "\u21e7" + value,
                    String(value));
                button.setAttribute("aria-label", "Locate object " + value);
                locateButtons.append(button);
            }
        }
    }

    // A panel switch: data names what it acts on, shortcut its key (if any), hint the key shown.
    function control(data, shortcut, hint, text) {
        const button = document.createElement("button");
        button.type = "button";
        Object.assign(button.dataset, data);
        if (shortcut)
            button.setAttribute("aria-keyshortcuts", shortcut);
        if (hint) {
            const kbd = document.createElement("kbd");
            kbd.textContent = hint;
            button.append(kbd);
        }
        const label = document.createElement("b");
        label.textContent = text;
        button.append(label);
        return button;
    }

    // The key a number is pressed with: numbers of one digit only.
    function digitKey(number) {
        return /^\d$/.test(String(number)) ? String(number) : "";
    }

    function renderLamps() {
        const linked = linkState === "" && state !== null;
        setLamp("lamp-link", linked ? "on" : linkState === "refused" ? "alarm" : "warn");
        setLamp("lamp-game", linked && state.connected ? "on" : "");
        setLamp("lamp-run", linked && state.playing ? "on" : "");
        setLamp("lamp-power", !linked || !state.playing ? "" : state.powerDown ? "alarm" : "on");
    }

    function setLamp(id, look) {
        byId(id).className = "lamp" + (look ? " " + look : "");
    }

    // Every button waits for the console's word: greyed out while its action is refused, and
    // while the page is not the operator's or not in touch.
    function renderButtons() {
        const live = state !== null && online() && isOperator();
        const refused = (action) => !live || Boolean(state.refusals[action]);
        for (const button of levelButtons.children) {
            const level = state.levels[Number(button.dataset.level)];
            button.title = level.available ? "" : level.problem;
            button.classList.toggle("unavailable", !level.available);
            button.classList.toggle("chosen", level.index === state.selected);
            button.disabled = refused("select");
        }
        // The doors the game runs have buttons; the others are walled up and hide theirs.
        const doors = state ? state.plan.doors.filter((d) => d.runs) : [];
        for (const button of doorButtons.children) {
            const door = doors.find((d) => d.number === Number(button.dataset.door));
            button.classList.toggle("absent", !door);
            button.classList.toggle("open", Boolean(door && door.open));
            button.classList.toggle("closed", Boolean(door && !door.open));
            const name = door ? "Door " + door.number + ", " + doorState(door) : "no door";
            button.setAttribute("aria-label", name);
            button.disabled = refused("door");
        }
        const objects = state ? state.plan.objects : [];
        const taken = new Set(objects.filter((o) => o.taken).map((o) => o.value));
        for (const button of locateButtons.children) {
            button.classList.toggle("taken", taken.has(Number(button.dataset.object)));
            button.disabled = refused("locate");
        }
        for (const button of document.querySelectorAll("[data-action]"))
            button.disabled = refused(button.dataset.action);
    }

    // Why Start is not available, or how the doors work, as the window's note says.
    function note() {
        if (!isOperator())
            return "Watching: the operator's actions show here as they happen.";
        return state.startNote || "Doors: tap one on the plan or its button, or press its " +
            "number (1-" + state.doorSlots + "), to close or open it.";
    }

    function money(value) {
        return typeof value === "number" ? value.toFixed(2) : "";
    }

    // Costs are whole amounts; the buttons have little room.
    function amount(value) {
        return Number.isInteger(value) ? String(value) : money(value);
    }

    function renderLedger() {
        const ledger = state.ledger;
        byId("f-bills").textContent = money(ledger.bills);
        byId("f-revenue").textContent = money(ledger.revenue);
        for (const name of ["doorOpen", "doorClose", "scan", "detection", "shock", "reboot"])
            byId("f-" + name).textContent = String(ledger[name]);
        const objects = state.plan ? state.plan.objects.filter((o) => o.taken).length : 0;
        byId("f-objects").textContent = objects + " of " + state.objectValues.length;
        byId("f-steps").textContent = String(state.steps);
    }

    // The log is kept as list items and only the new lines are appended, so screen readers
    // announce what was added, not the whole log again. The console drops its oldest lines
    // past a fixed count: the old list's tail is the new list's head.
    function renderLog() {
        const lines = state.log;
        let dropped = 0;
        while (dropped < shownLog.length && !sameLines(shownLog, dropped, lines))
            ++dropped;
        const stuck = logList.scrollTop + logList.clientHeight >= logList.scrollHeight - 4;
        if (dropped === shownLog.length && shownLog.length > 0) {
            logList.replaceChildren();
            dropped = 0;
            shownLog = [];
        }
        for (let i = 0; i < dropped; ++i)
            logList.firstElementChild.remove();
        for (const line of lines.slice(shownLog.length - dropped)) {
            const item = document.createElement("li");
            item.textContent = line;
            logList.append(item);
        }
        shownLog = lines.slice();
        if (stuck)
            logList.scrollTop = logList.scrollHeight;
    }

    function sameLines(old, from, lines) {
        if (old.length - from > lines.length)
            return false;
        for (let i = from; i < old.length; ++i) {
            if (old[i] !== lines[i - from])
                return false;
        }
        return true;
    }

    // The plan, drawn at the screen's pixel density so it stays sharp on a phone.

    function colour(name) {
        if (!colours.has(name)) {
            const style = getComputedStyle(document.documentElement);
            colours.set(name, style.getPropertyValue("--" + name).trim());
        }
        return colours.get(name);
    }

    function drawPlan() {
        const plan = state && state.plan;
        const context = canvas.getContext("2d");
        const ratio = window.devicePixelRatio || 1;
        if (plan && plan.width && plan.height)
            wrap.style.setProperty("--plan-ratio", plan.width + " / " + plan.height);
        const width = wrap.clientWidth;
        const height = wrap.clientHeight;
        canvas.width = Math.round(width * ratio);
        canvas.height = Math.round(height * ratio);
        context.setTransform(ratio, 0, 0, ratio, 0, 0);
        context.clearRect(0, 0, width, height);
        layout = null;
        if (!plan || !plan.width || !plan.height) {
            canvas.setAttribute("aria-label", "no plan: the level is unavailable");
            label(context, "NO PLAN", [0, height * 3 / 8, width, height / 4], colour("dim"));
            return;
        }
        const cell = Math.max(1, Math.floor(Math.min(width / plan.width, height / plan.height)));
        const left = Math.floor((width - cell * plan.width) / 2);
        const top = Math.floor((height - cell * plan.height) / 2);
        layout = { left: left, top: top, cell: cell };
        const box = (x, y, inset) =>
            [left + x * cell + inset, top + y * cell + inset, cell - 2 * inset, cell - 2 * inset];
        const inset = Math.floor(cell * 0.2);
        // A negative inset grows a mark past its cell.
        const grown = (smallest) => Math.min(0, Math.floor((cell - smallest) / 2));
        const objectGrow = grown(SMALLEST_OBJECT);
        const objectInset = objectGrow < 0 ? objectGrow : inset;

        const walls = new Set(state.wallCells);
        for (let y = 0; y < plan.height; ++y) {
            for (let x = 0; x < plan.width; ++x) {
                const value = plan.cells[y * plan.width + x];
                context.fillStyle = walls.has(value) ? colour("wall") : colour("floor");
                context.fillRect(...box(x, y, 0));
            }
        }
        // Thin grid lines on the floor read as floor plates.
        context.strokeStyle = "rgba(255,255,255,0.04)";
        context.lineWidth = 1;
        for (let y = 0; y < plan.height; ++y) {
            for (let x = 0; x < plan.width; ++x) {
                if (plan.cells[y * plan.width + x] === 0)
                    context.strokeRect(left + x * cell + 0.5, top + y * cell + 0.5, cell - 1,
                        cell - 1);
            }
        }

        const monster = plan.monster;
        for (const door of plan.doors) {
            const look = !door.runs ? "wall" : door.open ? "door-open" : "door-closed";
            context.fillStyle = colour(look);
            const mark = box(door.x, door.y, grown(SMALLEST_DOOR));
            context.fillRect(...mark);
            label(context, String(door.number), mark, "#fff");
        }
        for (const object of plan.objects) {
            context.fillStyle = colour(object.taken ? "taken" : "object");
            context.fillRect(...box(object.x, object.y, objectInset));
            // The monster's mark covers the object it stands on.
            if (!monster || monster.x !== object.x || monster.y !== object.y)
                label(context, String(object.value), box(object.x, object.y, objectGrow),
                    object.taken ? "#3c3c3c" : "#000");
        }
        for (const exit of plan.exits) {
            context.fillStyle = colour("exit");
            context.fillRect(...box(exit.x, exit.y, objectInset));
            label(context, "?", box(exit.x, exit.y, objectGrow), "#fff");
        }
        const dot = Math.max(2, Math.floor(cell * 0.25));
        context.fillStyle = colour("spawn");
        for (const spawn of plan.spawns)
            context.fillRect(left + spawn.x * cell + 2, top + spawn.y * cell + 2, dot, dot);
        if (monster) {
            context.fillStyle = colour("monster");
            context.shadowColor = colour("monster");
            context.shadowBlur = cell * 0.6;
            const grow = grown(SMALLEST_MONSTER);
            context.fillRect(...box(monster.x, monster.y, grow < 0 ? grow : Math.floor(inset / 2)));
            context.shadowBlur = 0;
            label(context, "M" + monster.steps, box(monster.x, monster.y, grow), "#000");
        }
        canvas.setAttribute("aria-label", describePlan(plan));
    }

    function label(context, text, rect, ink) {
        const [x, y, width, height] = rect;
        if (height < 9)
            return;
        // Longer labels shrink to stay inside their cell (a glyph is about 0.6 of the size wide).
        const size = Math.max(7, Math.min(height * 0.58, (width * 0.9) / (0.6 * text.length)));
        context.font = "bold " + Math.floor(size) + "px " + colour("mono");
        context.fillStyle = ink;
        context.textAlign = "center";
        context.textBaseline = "middle";
        context.fillText(text, x + width / 2, y + height / 2 + 1);
    }

    function describePlan(plan) {
        const doors = plan.doors.map((d) => "door " + d.number + " " + doorState(d));
        const seen = plan.monster;
        const monster = seen
            ? "monster at column " + seen.x + ", row " + seen.y + ", " + seen.steps + " steps ago"
            : "monster not scanned";
        return "Plan, " + plan.width + " by " + plan.height + "; " +
            (doors.join(", ") || "no doors") + "; " + monster;
    }

    function doorState(door) {
        return door.open ? "open" : "closed";
    }

    new ResizeObserver(() => {
        if (state)
            drawPlan();
    }).observe(wrap);

    // A new link pasted into the same tab (a console that restarted has new keys): start over.
    window.addEventListener("hashchange", () => location.reload());
    window.addEventListener("online", () => {
        if (retryTimer)
            connect();
    });
    window.addEventListener("offline", () => {
        if (socket)
            socket.close();
    });

    if (!link) {
        setLinkState("refused",
            "THIS LINK HAS NO KEY: open the operator or watch link the console printed");
    } else {
        body.classList.toggle("watch", link.role === "watch");
        setLinkState("connecting", "CONNECTING to the console\u2026");
        connect();
    }
})();
