// The names the viewer's map page calls (GMap2, GLatLng, GMarker, the zoom and
// type controls, GBrowserIsCompatible, GUnload), built on Leaflet, plus what
// the viewer adds: the whole track of the recording (GTrack), the heading of
// the marker (GSetHeading), follow mode and a notice when tiles fail.
//
// The viewer may set, before the page loads:
//   window.kyvoTiles = { url: "https://…/{z}/{x}/{y}.png", attribution: "…" }
// Without it the tiles come from OpenStreetMap.
(function () {
  "use strict";

  var defaultTiles = {
    url: "https://tile.openstreetmap.org/{z}/{x}/{y}.png",
    attribution: "&copy; OpenStreetMap contributors"
  };
  var heading = 0;        // degrees clockwise from north, of the newest marker
  var lastPoint = null;   // the newest marker's point
  var theMap = null;      // the one Leaflet map of the page
  var track = null;       // the recording's whole track

  function finite(v) { return typeof v === "number" && isFinite(v); }

  window.following = true;

  window.GBrowserIsCompatible = function () {
    return typeof L !== "undefined" && typeof L.map === "function";
  };

  // A point; isValid() is false for anything but finite degrees in range.
  window.GLatLng = function (lat, lng) {
    this.latValue = Number(lat);
    this.lngValue = Number(lng);
  };
  GLatLng.prototype.lat = function () { return this.latValue; };
  GLatLng.prototype.lng = function () { return this.lngValue; };
  GLatLng.prototype.isValid = function () {
    return finite(this.latValue) && finite(this.lngValue) &&
      Math.abs(this.latValue) <= 90 && Math.abs(this.lngValue) <= 180;
  };
  GLatLng.prototype.toLeaflet = function () { return L.latLng(this.latValue, this.lngValue); };

  function arrowIcon() {
    return L.divIcon({
      className: "kyvo-marker",
      iconSize: [22, 22],
      iconAnchor: [11, 11],
      html: '<div style="width:22px;height:22px;transform:rotate(' + heading + 'deg)">' +
        '<svg width="22" height="22" viewBox="0 0 22 22">' +
        '<circle cx="11" cy="11" r="9" fill="#1e88e5" stroke="#fff" stroke-width="2"/>' +
        '<path d="M11 3 L16 15 L11 12 L6 15 Z" fill="#fff"/></svg></div>'
    });
  }

  window.GMarker = function (point) {
    this.point = point;
    this.layer = L.marker(point.toLeaflet(), { icon: arrowIcon(), keyboard: false, interactive: false });
  };

  window.GSmallZoomControl = function () { this.kind = "zoom"; };
  window.GMapTypeControl = function () { this.kind = "type"; };

  // The button that brings follow mode back after the user dragged the map.
  var FollowControl = null;
  function followControl() {
    if (!FollowControl) {
      FollowControl = L.Control.extend({
        options: { position: "bottomright" },
        onAdd: function () {
          var button = L.DomUtil.create("a", "kyvo-follow");
          button.href = "#";
          button.title = "Follow";
          button.innerHTML = "&#8982;";
          button.style.cssText = "display:none;width:26px;height:26px;line-height:26px;text-align:center;" +
            "background:#fff;color:#333;border-radius:4px;font-size:18px;text-decoration:none;" +
            "box-shadow:0 1px 4px rgba(0,0,0,.4)";
          L.DomEvent.on(button, "click", function (e) {
            L.DomEvent.stop(e);
            window.following = true;
            button.style.display = "none";
            if (theMap && lastPoint)
              theMap.panTo(lastPoint.toLeaflet());
          });
          this.button = button;
          return button;
        }
      });
    }
    return new FollowControl();
  }

  // A short line inside the map while tiles fail to load.
  function tileNotice(mapElement) {
    var notice = L.DomUtil.create("div", "kyvo-tile-notice", mapElement);
    notice.style.cssText = "position:absolute;left:8px;right:40px;bottom:24px;z-index:1000;display:none;" +
      "padding:4px 6px;background:rgba(0,0,0,.7);color:#fff;font:12px sans-serif;border-radius:4px";
    notice.textContent = "Map tiles cannot be loaded.";
    return notice;
  }

  window.GMap2 = function (element) {
    var tiles = window.kyvoTiles || defaultTiles;
    this.leaflet = L.map(element, { zoomControl: false, attributionControl: true });
    theMap = this.leaflet;
    var street = L.tileLayer(tiles.url, { maxZoom: 19, attribution: tiles.attribution || defaultTiles.attribution });
    street.addTo(this.leaflet);
    this.baseLayers = { "Map": street };
    var notice = tileNotice(element);
    street.on("tileerror", function () { notice.style.display = "block"; });
    street.on("tileload", function () { notice.style.display = "none"; });
    var follow = followControl();
    follow.addTo(this.leaflet);
    // A drag by the user ends follow mode until the button is pressed.
    this.leaflet.on("dragstart", function () {
      window.following = false;
      if (follow.button)
        follow.button.style.display = "block";
    });
  };
  GMap2.prototype.setCenter = function (point, zoom) {
    if (!point.isValid())
      return;
    if (zoom === undefined)
      zoom = this.leaflet.getZoom();
    this.leaflet.setView(point.toLeaflet(), zoom, { animate: false });
  };
  GMap2.prototype.getZoom = function () { return this.leaflet.getZoom(); };
  GMap2.prototype.addOverlay = function (marker) {
    marker.layer.addTo(this.leaflet);
    lastPoint = marker.point;
  };
  GMap2.prototype.removeOverlay = function (marker) { this.leaflet.removeLayer(marker.layer); };
  GMap2.prototype.addControl = function (control) {
    if (control.kind === "zoom")
      L.control.zoom({ position: "topleft" }).addTo(this.leaflet);
    else if (control.kind === "type")
      L.control.layers(this.baseLayers, null, { position: "topright" }).addTo(this.leaflet);
  };

  window.GUnload = function () {
    if (theMap) {
      theMap.remove();
      theMap = null;
    }
  };

  // The recording's whole track: [[lat, lng], ...] of finite degrees.
  window.GTrack = function (points) {
    if (!theMap || !Array.isArray(points))
      return 0;
    var line = [];
    for (var i = 0; i < points.length; ++i) {
      var p = points[i];
      if (Array.isArray(p) && finite(p[0]) && finite(p[1]))
        line.push([p[0], p[1]]);
    }
    if (track)
      theMap.removeLayer(track);
    track = L.polyline(line, { color: "#e53935", weight: 3, opacity: 0.8, interactive: false }).addTo(theMap);
    return line.length;
  };

  // The heading of the next marker, degrees clockwise from north.
  window.GSetHeading = function (degrees) {
    var d = Number(degrees);
    if (finite(d))
      heading = ((d % 360) + 360) % 360;
  };

  // What tests read back: the marker's point, the centre, the zoom, how many
  // markers and track points the map holds.
  window.kyvoMapState = function () {
    if (!theMap)
      return null;
    var markers = 0;
    var marker = null;
    theMap.eachLayer(function (layer) {
      if (layer instanceof L.Marker) {
        ++markers;
        marker = layer.getLatLng();
      }
    });
    var centre = theMap.getCenter();
    return {
      markers: markers,
      marker: marker ? [marker.lat, marker.lng] : null,
      centre: [centre.lat, centre.lng],
      zoom: theMap.getZoom(),
      track: track ? track.getLatLngs().length : 0,
      following: window.following
    };
  };
})();
