// The simulated world a generated script runs in: every platform name the
// script uses, as plain JavaScript objects that record each call a world
// would act on. Only the platform names and `__sim` (the driver's handle)
// become globals; the generated script may use any other global name.
//
// Every object the script gets from the world is strict: reading a member
// the world does not define throws, so a script that calls what no world
// has fails with its line instead of doing nothing. Setting members is
// free, as the script hangs its own things on the world's objects; a member
// the script assigns somewhere may be read before it is set (it reads
// undefined, as the script expects: "if(this.next!=undefined)").
//
// Log entries are [time, call, arguments, line]: time in seconds, the call
// as the script would write it ("chat.print", "door.opacity="), its
// arguments as text, and the script line of an error (0 otherwise). Names
// and texts are escaped, so that every entry prints as one line.
var __sim = (function (global) {
    'use strict';

    var FRAME = 1 / 30;
    var LOAD_TIME = 0.5;

    // Qt's engine looks a Map or a Set up one entry after the other, and an
    // object's own members through a hash: the tables that a scene's size
    // makes long are kept in members.

    // A value for each object, kept in a hidden member of the object's own;
    // a value that cannot take one (a number, a frozen object) keeps it in
    // a Map.
    function HiddenTable(description) {
        this.key = Symbol(description);
        this.others = new Map();
    }
    HiddenTable.prototype.get = function (object) {
        if (this.others.size > 0 && this.others.has(object))
            return this.others.get(object);
        if (object !== null && (typeof object === 'object' || typeof object === 'function')
            && Object.prototype.hasOwnProperty.call(object, this.key))
            return object[this.key];
        return undefined;
    };
    HiddenTable.prototype.set = function (object, value) {
        if (object === null || (typeof object !== 'object' && typeof object !== 'function')
            || !Reflect.set(object, this.key, value))
            this.others.set(object, value);
    };

    // A set of names, as the members of an object without prototype. Names
    // are kept under a prefix, so that none is taken for an array index.
    function NameTable() { this.members = Object.create(null); }
    NameTable.prototype.get = function (name) { return this.members['=' + name]; };
    NameTable.prototype.set = function (name, value) { this.members['=' + name] = value; };

    var frame = 0;
    var entries = [];
    // The animators in the order they were added: an animator's slot is
    // its place in the list (from 1), nothing when it is not animating.
    // Removing one leaves its entry, stale, until the next frame starts.
    var animatorList = [];
    var animatorSlots = new HiddenTable('animator slot');
    var staleAnimators = 0;
    var handlers = [];
    var toggles = [];
    var sceneObjects = [];
    var byName = new NameTable();
    var worldParts = new Map();
    var loaded = false;
    var connected = true;
    var sharedObjects = new Map();
    var reportedErrors = new Set();
    var names = new HiddenTable('name');
    // The members the script assigns anywhere in its text.
    var scriptMembers = new NameTable();
    // Whether the name index has been rebuilt since the last drain: it is
    // rebuilt at most once per drain.
    var indexFresh = false;

    function now() { return frame * FRAME; }

    // `args` is text, or an object whose name is looked up when the entry
    // is drained: by then the script has stored it where it keeps it.
    function log(call, args) { entries.push([now(), call, args, 0]); }

    // ---- Text ----

    // Backslashes, control characters and the line and paragraph
    // separators as JavaScript escapes: no name or text can break a line.
    function escaped(value) {
        return String(value).replace(/[\\\u0000-\u001f\u007f-\u009f\u2028\u2029]/g, function (c) {
            switch (c) {
            case '\\': return '\\\\';
            case '\n': return '\\n';
            case '\r': return '\\r';
            case '\t': return '\\t';
            default: return '\\u' + ('000' + c.charCodeAt(0).toString(16)).slice(-4);
            }
        });
    }

    // A member the object defines, read without the strict check.
    function member(object, key) { return key in object ? object[key] : undefined; }

    // Numbers are written with at most four decimals, so a log reads the
    // same on every machine.
    function text(value) {
        if (typeof value === 'number')
            return String(Number(value.toFixed(4)));
        if (typeof value === 'string')
            return quoted(value);
        if (Array.isArray(value))
            return '[' + value.map(text).join(',') + ']';
        if (value !== null && typeof value === 'object') {
            var describe = member(value, '__describe');
            if (typeof describe === 'function')
                return describe.call(value);
            return nameOf(value);
        }
        return String(value);
    }

    // A string as a literal: between apostrophes, or between double quotes
    // when it holds apostrophes but no double quote (as sendJS code does).
    function quoted(value) {
        var inner = escaped(value);
        if (value.indexOf("'") >= 0 && value.indexOf('"') < 0)
            return '"' + inner + '"';
        return "'" + inner.replace(/'/g, "\\'") + "'";
    }

    function textList(args) { return Array.prototype.map.call(args, text).join(', '); }

    // The name under which the script keeps an object: a property of a
    // scene object ("door.mouse") or a global ("obj15"). Looked up when
    // first asked and remembered.
    function nameOf(object) {
        var name = member(object, '__name');
        if (name)
            return name;
        if (names.get(object) === undefined && !indexFresh) {
            indexNames();
            indexFresh = true;
        }
        return names.get(object) || 'an object';
    }

    function unnamedObject(value) {
        return value !== null && typeof value === 'object' && !member(value, '__name') && names.get(value) === undefined;
    }

    function indexNames() {
        function visit(root, rootName) {
            Object.keys(root).forEach(function (key) {
                if (key.indexOf('__') === 0)
                    return;
                var value;
                try { value = root[key]; } catch (e) { return; }
                if (unnamedObject(value))
                    names.set(value, rootName + '.' + escaped(key));
            });
        }
        sceneObjects.forEach(function (object) { visit(object, object.__name); });
        Object.keys(global).forEach(function (key) {
            var value = global[key];
            if (unnamedObject(value))
                names.set(value, escaped(key));
        });
        Object.keys(global).forEach(function (key) {
            var value = global[key];
            if (value !== null && typeof value === 'object' && !member(value, '__builtin') && key !== '__sim')
                visit(value, member(value, '__name') || escaped(key));
        });
    }

    // ---- Strict objects ----

    function label(target) {
        if ('__name' in target)
            return target.__name;
        if ('__describe' in target)
            return target.__describe();
        return 'the object';
    }

    // Strictness lives at the end of the prototype chains of the world's
    // objects: a read that finds the member on the object or its
    // prototypes costs nothing more, and only a read of a member none of
    // them has reaches the check.
    var strictPrototype = new Proxy(Object.prototype, {
        get: function (target, key, receiver) {
            var value = Reflect.get(target, key, receiver);
            if (value !== undefined || typeof key === 'symbol' || key in target || scriptMembers.get(key))
                return value;
            throw new TypeError(label(receiver) + ' has no member ' + escaped(key));
        }
    });

    // Makes the objects a constructor builds strict.
    function strictClass(constructor) { Object.setPrototypeOf(constructor.prototype, strictPrototype); }

    // Makes one object of the world strict.
    function strict(object) { return Object.setPrototypeOf(object, strictPrototype); }

    // ---- Vectors, rotations, transforms ----

    function Vec(x, y, z) { this.x = x; this.y = y; this.z = z; }
    strictClass(Vec);
    Vec.prototype.add = function (other) {
        var o = Array.isArray(other) ? vector(other[0], other[1], other[2]) : other;
        return vector(this.x + o.x, this.y + o.y, this.z + o.z);
    };
    Vec.prototype.__describe = function () {
        return 'Vector(' + [this.x, this.y, this.z].map(text).join(',') + ')';
    };
    function vector(x, y, z) { return new Vec(x, y, z); }
    // A position as the world keeps it: frozen, so that the script can
    // read it as often as it likes without a copy, and changes it only by
    // setting a new one (which the log shows).
    function toVec(value) {
        if (Array.isArray(value))
            return Object.freeze(new Vec(value[0], value[1], value[2]));
        return Object.freeze(new Vec(value.x, value.y, value.z));
    }
    function distance(a, b) {
        var dx = a.x - b.x, dy = a.y - b.y, dz = a.z - b.z;
        return Math.sqrt(dx * dx + dy * dy + dz * dz);
    }

    function Rot(order, x, y, z) { this.order = order; this.x = x; this.y = y; this.z = z; }
    strictClass(Rot);
    Rot.prototype.__describe = function () {
        return 'Rotation(' + [this.order, this.x, this.y, this.z].map(text).join(',') + ')';
    };

    function Transform(translation) { this.translation = translation; }
    strictClass(Transform);
    Transform.prototype.blend = function (other, fraction) {
        var a = this.translation, b = other.translation;
        return transform(vector(a.x + (b.x - a.x) * fraction, a.y + (b.y - a.y) * fraction,
                                a.z + (b.z - a.z) * fraction));
    };
    Transform.prototype.__describe = function () { return 'Transform(' + text(this.translation) + ')'; };
    function transform(translation) { return new Transform(translation); }

    function Tex() { this.URL = ''; }
    strictClass(Tex);
    Tex.prototype.__describe = function () { return 'Texture(' + text(this.URL) + ')'; };

    // ---- Things whose changes the log shows ----

    // Defines a property that logs every value set, under the owner's name.
    function loggedProperty(proto, property, read, write) {
        Object.defineProperty(proto, property, {
            get: read || function () { return this['__' + property]; },
            set: function (value) {
                if (write)
                    write.call(this, value);
                else
                    this['__' + property] = value;
                // The value as the world keeps it, after any clamping.
                log(this.__name + '.' + property + '=', text(this[property]));
            },
            enumerable: false, configurable: true
        });
    }

    // Opacity is a fraction: the world keeps it between 0 and 1.
    function clampOpacity(value) { return Math.min(1, Math.max(0, Number(value))); }

    // A part with an opacity: a solid object of a model, an instance of a
    // viewpoint object's scene.
    function Part(name) { this.__name = name; this.__opacity = 1; }
    strictClass(Part);
    loggedProperty(Part.prototype, 'opacity', null, function (v) { this.__opacity = clampOpacity(v); });

    // A face's surface shows the texture "face<index>.jpg" until the script
    // sets another.
    function SurfaceTexture(name, index) {
        var texture = new Tex();
        texture.URL = 'face' + index + '.jpg';
        this.__name = name;
        this.__texture = texture;
    }
    strictClass(SurfaceTexture);
    loggedProperty(SurfaceTexture.prototype, 'texture');

    function Face(owner, index) {
        this.__name = owner + '.face(' + index + ')';
        this.__surface = new SurfaceTexture(this.__name, index);
    }
    strictClass(Face);
    Face.prototype.getSurfaceTexture = function () { return this.__surface; };

    function TimeElem(owner, name) { this.__name = owner + '.timeElem(' + text(name) + ')'; }
    strictClass(TimeElem);
    TimeElem.prototype.setSpeed = function (speed) { log(this.__name + '.setSpeed', text(speed)); };
    TimeElem.prototype.setPlayOnce = function (once) { log(this.__name + '.setPlayOnce', text(once)); };
    TimeElem.prototype.trigger = function () { log(this.__name + '.trigger', ''); };

    // The scene of a viewpoint object: its time elements and one instance.
    function ViewpointScene(owner) {
        this.__name = owner + '.scene';
        this.__owner = owner;
        this.__times = new Map();
        this.__instance = new Part(this.__name + '.instance(0)');
    }
    strictClass(ViewpointScene);
    ViewpointScene.prototype.getTimeElem = function (name) {
        if (!this.__times.has(name))
            this.__times.set(name, new TimeElem(this.__owner, name));
        return this.__times.get(name);
    };
    ViewpointScene.prototype.getInstanceCount = function () { return 1; };
    ViewpointScene.prototype.getInstance = function () { return this.__instance; };

    // A viewpoint object inside a model: its scene.
    function InnerViewpoint(name) { this.__name = name; this.scene = new ViewpointScene(name); }
    strictClass(InnerViewpoint);

    // A physical model moves and turns its owner. The script sets its
    // properties (mass, collisions, friction...) as it likes.
    function PhysicalModel(owner, mass) {
        this.__owner = owner;
        this.__name = owner.__name + '.physicalModel';
        this.mass = mass;
    }
    strictClass(PhysicalModel);
    ['worldSpacePosition', 'worldSpaceOrientation', 'worldSpaceTransform'].forEach(function (property) {
        Object.defineProperty(PhysicalModel.prototype, property, {
            get: function () { return this.__owner[property]; },
            set: function (value) {
                this.__owner['__set_' + property](value);
                log(this.__name + '.' + property + '=', text(value));
            }
        });
    });

    var FACE_COUNT = 4;

    // A thing of the world: the world itself, the actor, an object of the
    // project or a part of the world the project does not list (an anchor).
    // `name` is the name as it prints.
    function Thing(name, kind, position) {
        this.__name = name;
        this.__kind = kind;
        this.__set_worldSpacePosition(position);
        this.__orientation = new Rot('XYZ', 0, 0, 0);
        this.__opacity = 1;
        this.__pm = undefined;
        this.__faces = [];
        for (var i = 0; i < FACE_COUNT; ++i)
            this.__faces.push(new Face(name, i));
        this.__solid = new Part(name + '.solidObject(0)');
        this.__viewpoint = new InnerViewpoint(name + '.viewpointObject(0)');
        this.__primitives = new Map();
        this.scene = new ViewpointScene(name);
        this.loaded = false;
        // Called by the world once the thing has loaded, when the script sets it.
        this.onLoad = undefined;
    }
    strictClass(Thing);
    Thing.prototype.__set_worldSpacePosition = function (v) { this.__position = toVec(v); };
    Thing.prototype.__set_worldSpaceOrientation = function (v) { this.__orientation = v; };
    Thing.prototype.__set_worldSpaceTransform = function (t) { this.__set_worldSpacePosition(t.translation); };
    function readPosition() { return this.__position; }
    loggedProperty(Thing.prototype, 'worldSpacePosition', readPosition, Thing.prototype.__set_worldSpacePosition);
    loggedProperty(Thing.prototype, 'position', readPosition, Thing.prototype.__set_worldSpacePosition);
    loggedProperty(Thing.prototype, 'worldSpaceOrientation', function () { return this.__orientation; },
                   Thing.prototype.__set_worldSpaceOrientation);
    loggedProperty(Thing.prototype, 'worldSpaceTransform', function () { return transform(readPosition.call(this)); },
                   Thing.prototype.__set_worldSpaceTransform);
    Object.defineProperty(Thing.prototype, 'transform', {
        get: function () { return transform(readPosition.call(this)); }
    });
    loggedProperty(Thing.prototype, 'opacity', null, function (v) { this.__opacity = clampOpacity(v); });

    Thing.prototype.dist = function (position) {
        return distance(this.__position, Array.isArray(position) ? toVec(position) : position);
    };
    Thing.prototype.getFaceCount = function () { return this.__faces.length; };
    Thing.prototype.getFace = function (i) { return this.__faces[i]; };
    Thing.prototype.getSolidObjectCount = function () { return 1; };
    Thing.prototype.getSolidObject = function () { return this.__solid; };
    Thing.prototype.getViewpointObjectCount = function () { return 1; };
    Thing.prototype.getViewpointObject = function () { return this.__viewpoint; };
    // A primitive of a model, by its name: a part of the model.
    Thing.prototype.getPrimitive = function (name) {
        var key = String(name);
        if (!this.__primitives.has(key)) {
            var part = new Thing(this.__name + '.primitive(' + text(key) + ')', 'part', this.__position);
            part.loaded = true;
            this.__primitives.set(key, part);
        }
        return this.__primitives.get(key);
    };
    Thing.prototype.getPhysicalModel = function () { return this.__pm; };
    Thing.prototype.createPhysicalModel = function (mass) {
        log(this.__name + '.createPhysicalModel', text(mass));
        this.__pm = new PhysicalModel(this, mass);
        return this.__pm;
    };
    // The root primitive of a solid object finds the objects inside it by
    // path; ".../name" finds the object called name.
    var rootPrimitive = strict({
        __builtin: true,
        __name: 'rootPrimitive',
        find: function (path) { return byName.get(String(path).replace(/^\.\.\.\//, '')); }
    });
    Object.defineProperty(Thing.prototype, 'rootPrimitive', { get: function () { return rootPrimitive; } });

    // A part of the world that the project does not list: found by name,
    // at a place fixed by the order in which the script first asks for it.
    function worldPart(name) {
        if (!worldParts.has(name)) {
            var part = new Thing(escaped(name), 'part', [10 * (worldParts.size + 1), 0, 10]);
            part.loaded = true;
            worldParts.set(name, part);
        }
        return worldParts.get(name);
    }

    // A project object, or a part of the world of that name.
    function found(name) { return byName.get(String(name)) || worldPart(String(name)); }

    // ---- The stage, the actor, the world ----

    var theWorld = new Thing('world', 'world', [0, 0, 0]);
    var theActor = new Thing('actor', 'actor', [0, 0, -1000]);

    // A solid object is asked for by index or by name. The project writes
    // a whole-number name as an index, so index 3 finds its solid object
    // named 3; any other index or name is a part of the world.
    var theStage = strict({
        __builtin: true,
        __name: 'theStage',
        getSolidObject: function (key) {
            if (typeof key === 'number')
                return byName.get(String(key)) || worldPart('solidObject(' + key + ')');
            return found(key);
        },
        getViewpointObject: found,
        getPrimitive: found,
        getChild: found
    });

    function SceneGroupRef(name) { this.__groupName = String(name); }
    strictClass(SceneGroupRef);
    SceneGroupRef.prototype.__describe = function () { return 'SceneGroup(' + text(this.__groupName) + ')'; };
    SceneGroupRef.prototype.add = function () {
        log('SceneGroup(' + text(this.__groupName) + ').add', '');
        return found(this.__groupName);
    };

    // ---- Animators and the clock ----

    function addAnimator(object) {
        if (!animatorSlots.get(object)) {
            animatorList.push(object);
            animatorSlots.set(object, animatorList.length);
        }
        log('addAnimator', object);
    }

    function removeAnimator(object) {
        if (animatorSlots.get(object)) {
            animatorSlots.set(object, 0);
            ++staleAnimators;
        }
        log('removeAnimator', object);
    }

    // Reports an error of the script once per place and message, so that a
    // failing animator does not fill the log thirty times a second.
    function report(error, fallbackLine) {
        var line = scriptLine(error) || fallbackLine || 0;
        var message = (error && error.name ? error.name + ': ' : '') + (error && error.message !== undefined ? error.message : String(error));
        var key = line + ' ' + message;
        if (reportedErrors.has(key))
            return;
        reportedErrors.add(key);
        entries.push([now(), 'error', 'line ' + line + ': ' + escaped(message), line]);
    }

    // The line of the generated script where the error was raised: the
    // first frame of its stack that lies in the script.
    function scriptLine(error) {
        var stack = error && typeof error.stack === 'string' ? error.stack.split('\n') : [];
        for (var i = 0; i < stack.length; ++i) {
            var match = /script\.js:(\d+)/.exec(stack[i]);
            if (match)
                return Number(match[1]);
        }
        return error && error.lineNumber && /script\.js/.test(error.fileName || '') ? error.lineNumber : 0;
    }

    function guarded(call) {
        try {
            call();
        } catch (error) {
            report(error);
        }
    }

    function loadScene() {
        loaded = true;
        log('world.loaded', String(sceneObjects.length) + ' objects');
        sceneObjects.forEach(function (object) { object.loaded = true; });
        sceneObjects.forEach(function (object) {
            if (typeof object.onLoad === 'function')
                guarded(function () { object.onLoad(); });
        });
    }

    // Drops the entries of removed animators (and the old entry of one
    // removed and added again), between frames only: a frame's list stays
    // as it started.
    function dropStaleAnimators() {
        if (staleAnimators === 0)
            return;
        var live = [];
        animatorList.forEach(function (animator, i) {
            if (animatorSlots.get(animator) === i + 1) {
                live.push(animator);
                animatorSlots.set(animator, live.length);
            }
        });
        animatorList = live;
        staleAnimators = 0;
    }

    function step() {
        ++frame;
        if (!loaded && now() >= LOAD_TIME - 1e-9)
            loadScene();
        // Animators added during the frame wait for the next one; those
        // removed during it are not called any more. An animator without a
        // timestep (a model waiting for its onLoad) is only held.
        dropStaleAnimators();
        var count = animatorList.length;
        for (var i = 0; i < count; ++i) {
            var animator = animatorList[i];
            if (!animatorSlots.get(animator))
                continue;
            var timestep = member(animator, 'timestep');
            if (typeof timestep !== 'function')
                continue;
            try {
                timestep.call(animator, theWorld, FRAME);
            } catch (error) {
                report(error);
            }
        }
    }

    // ---- Chat and shared objects ----

    var chat = strict({
        __builtin: true,
        __name: 'chat',
        onSharedPropertyChange: undefined,
        print: function () { log('chat.print', textList(arguments)); },
        input: function (line) { log('chat.input', text(line)); },
        createSharedObject: function (name) {
            log('chat.createSharedObject', text(name));
            if (!sharedObjects.has(name))
                sharedObjects.set(name, new Map());
        },
        getSharedProperty: function (name, property) {
            var object = sharedObjects.get(name);
            return object ? object.get(property) : undefined;
        },
        // While connected, a change comes back through the handler as it
        // would from a second client; unconnected, it goes nowhere.
        setSharedProperty: function (name, property, value) {
            log('chat.setSharedProperty', textList(arguments));
            if (!connected)
                return;
            if (!sharedObjects.has(name))
                sharedObjects.set(name, new Map());
            sharedObjects.get(name).set(property, value);
            if (typeof chat.onSharedPropertyChange === 'function')
                chat.onSharedPropertyChange(name, property, value);
        },
        get isConnected() { return connected; }
    });

    // ---- Sounds, toggles, mouse handlers, effects ----

    function SoundObj(file) {
        this.__file = String(file);
        this.active = false;
        this.volume = 1;
        this.repeats = 0;
        this.near = 1;
        this.far = 50;
        this.position = undefined;
    }
    strictClass(SoundObj);
    SoundObj.prototype.__describe = function () { return 'Sound(' + text(this.__file) + ')'; };
    SoundObj.prototype.play = function () {
        this.active = true;
        log('Sound(' + text(this.__file) + ').play', this.position ? 'at ' + text(this.position) : 'ambient');
    };
    SoundObj.prototype.stop = function () {
        this.active = false;
        log('Sound(' + text(this.__file) + ').stop', '');
    };

    function ToggleObj(label) {
        this.label = String(label);
        this.state = false;
        this.onClick = undefined;
    }
    strictClass(ToggleObj);
    ToggleObj.prototype.__describe = function () { return 'Toggle(' + text(this.label) + ')'; };
    ToggleObj.prototype.add = function () {
        toggles.push(this);
        log('Toggle(' + text(this.label) + ').add', '');
        return this;
    };

    function Handler() {
        this.__filter = undefined;
        this.onEvent = undefined;
        handlers.push(this);
    }
    strictClass(Handler);
    Handler.prototype.__describe = function () { return 'MouseEventHandler()'; };
    Handler.prototype.setFilterOnClick = function (object) { this.__filter = object; };

    function effect(name, properties) {
        var object = { __builtin: true, __name: name };
        properties.forEach(function (property) {
            var value;
            Object.defineProperty(object, property, {
                get: function () { return value; },
                set: function (v) { value = v; log(name + '.' + property + '=', text(v)); },
                enumerable: true
            });
        });
        return strict(object);
    }

    // ---- The platform names ----

    global.theStage = theStage;
    global.theWorld = theWorld;
    global.theActor = theActor;
    global.actor = theActor;
    global.chat = chat;
    global.fog = effect('fog', ['active', 'color', 'near', 'far']);
    global.glareEffect = effect('glareEffect', ['active', 'color', 'brightness', 'radius', 'nonlinearity']);
    global.addAnimator = addAnimator;
    global.removeAnimator = removeAnimator;
    global.Vector = vector;
    global.Rotation = function (order, x, y, z) { return new Rot(order, x, y, z); };
    global.Texture = function () { return new Tex(); };
    global.Sound = function (file) { return new SoundObj(file); };
    global.Toggle = function (label) { return new ToggleObj(label); };
    global.MouseEventHandler = function () { return new Handler(); };
    global.SceneGroup = function (name) { return new SceneGroupRef(name); };
    global.sendJS = function (code) { log('sendJS', text(code)); };

    // ---- The driver's handle ----

    return {
        // Places the world, the actor and the project's objects (given as
        // [name, kind] pairs after the world and the actor), forty units
        // apart, and notes the members the script assigns.
        setUp: function (objects, script) {
            var assignment = /\.\s*([A-Za-z_$][\w$]*)\s*[-+*\/%]?=(?!=)/g;
            var match;
            while ((match = assignment.exec(script)) !== null)
                scriptMembers.set(match[1], true);
            sceneObjects.push(theWorld, theActor);
            byName.set('world', theWorld);
            byName.set('actor', theActor);
            objects.forEach(function (entry, i) {
                var thing = new Thing(escaped(entry[0]), entry[1], [40 * (i + 1), 0, 0]);
                sceneObjects.push(thing);
                if (!byName.get(entry[0]))
                    byName.set(entry[0], thing);
            });
        },
        object: function (name) { return byName.get(name); },
        report: report,
        step: step,
        time: now,
        drain: function () {
            var out = entries;
            entries = [];
            out.forEach(function (entry) {
                // An object by its name; anything else a script hands to
                // addAnimator or removeAnimator as its value.
                var value = entry[2];
                if (value !== null && (typeof value === 'object' || typeof value === 'function'))
                    entry[2] = nameOf(value);
                else if (typeof value !== 'string')
                    entry[2] = text(value);
            });
            indexFresh = false;
            return out;
        },
        // A click on an object that has not loaded yet hits nothing.
        click: function (name) {
            var target = byName.get(name);
            log('user.click', text(name));
            if (!target.loaded)
                return;
            handlers.slice().forEach(function (handler) {
                if (handler.__filter === target && typeof handler.onEvent === 'function')
                    guarded(function () { handler.onEvent({ type: 'click', target: target }, target); });
            });
        },
        // Puts the actor at the distance from the object.
        approach: function (name, dist) {
            var target = byName.get(name);
            log('user.approach', text(name) + ', ' + text(dist));
            var p = target.__position;
            theActor.__set_worldSpacePosition([p.x, p.y, p.z - dist]);
        },
        actorDistance: function (name) { return distance(theActor.__position, byName.get(name).__position); },
        setConnected: function (on) { connected = !!on; log('user.connected', String(connected)); },
        toggles: function () { return toggles.map(function (t) { return [t.label, !!t.state]; }); },
        setToggle: function (label, on) {
            var toggle = toggles.find(function (t) { return t.label === label; });
            if (!toggle)
                return false;
            toggle.state = !!on;
            log('user.toggle', text(label) + ', ' + String(toggle.state));
            if (typeof toggle.onClick === 'function')
                guarded(function () { toggle.onClick(toggle.state); });
            return true;
        }
    };
})(this);
